#pragma once

// Translates the rule checker's messages, help and usage into the user's
// language, chosen as command-line programs choose it (LC_ALL, LC_MESSAGES,
// LANG on Linux; the user's interface language on Windows), from the
// program's catalog. The catalogs are looked for where the checker may run:
// the locales folder beside it (the run folder, the Windows zip) and an
// installed program's ../share/amorquant/locales. Without a catalog for the
// language, or with English chosen, the messages stay in English. Call once,
// before the first message.
void StartCheckerLanguage();
