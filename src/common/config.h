#pragma once

class wxConfigBase;

// Prepares and returns the per-user configuration store. Call after the
// application's vendor and name are set: they name the store.
wxConfigBase* OpenConfigStore();
