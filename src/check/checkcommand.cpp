#include "check/checkcommand.h"

#include "common/platform.h"
#include "common/platform_console.h"
#include "common/version.h"
#include "scoring/messagetext.h"
#include "scoring/result.h"
#include "scoring/rulecheck.h"
#include "scoring/rulefile.h"
#include "scoring/ruleload.h"

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/xml/xml.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <utility>

namespace
{
// The manual page amorquant-check(1) lists the same options and statuses;
// the install test compares the two. One catalog key a line of the synopsis,
// an option or a paragraph, so that changing one does not re-key the others;
// the blank lines stand alone. Marked for the catalogs, translated where it
// is printed.
const char* const g_usage[] = {
    wxTRANSLATE("usage: amorquant-check [--total] [--answer ID=VALUE]... [--utf8] [--output FILE]\n"
                "                       [--] FILE...\n"),
    wxTRANSLATE("       amorquant-check --help | --version\n"),
    wxTRANSLATE("Reports what in each rule file the program would read differently from how it\n"
                "is written, one problem a line as FILE:LINE: MESSAGE. A warning, as\n"
                "FILE:LINE: warning: MESSAGE, names what the program reads as written but other\n"
                "readers of the rule format would not.\n"),
    "\n",
    wxTRANSLATE("  --total            also print the total that Calculate would show\n"),
    wxTRANSLATE("  --answer ID=VALUE  answer row ID with VALUE and print the total: 1/0 or\n"
                "                     true/false for a checkbox, an option's number (0 for\n"
                "                     none) or exact text for a choice, a whole number from 0\n"
                "                     up otherwise; repeatable; rows not named hold 0\n"),
    wxTRANSLATE("  --utf8             write UTF-8 to a file or pipe on Windows too\n"),
    wxTRANSLATE("  --output FILE      write the report to FILE, in UTF-8, instead\n"),
    wxTRANSLATE("  --                 end the options: each argument after it is a FILE\n"),
    wxTRANSLATE("  -h, --help         print this help and exit (/? too on Windows)\n"),
    wxTRANSLATE("  --version          print the version and exit\n"),
    "\n",
    wxTRANSLATE("Output to a file or pipe is UTF-8. On Windows it is in the console's code page\n"
                "(the ANSI code page without a console), as the system's own tools write it,\n"
                "with a character the code page lacks written as its code point (U+20AC);\n"
                "--utf8 and --output give UTF-8; lines end in CR LF. A Windows console gets\n"
                "the text as Unicode. On Windows, * and ? in the last part of a FILE stand for\n"
                "any characters and any one character; a FILE that matches nothing is checked\n"
                "as written.\n"),
    wxTRANSLATE("The rule file format is described in rule-format.md (in Chinese:\n"
                "rule-format.zh_CN.md): installed, in share/doc/amorquant; in the run folder,\n"
                "the Windows zip or the Windows install folder, in doc beside the program.\n"),
    "\n",
    wxTRANSLATE("Exit status: 0 clean, 1 problems found (an answer for a rule that the program\n"
                "leaves out among them), 2 bad usage, an answer that fits no row or an output\n"
                "file that cannot be written, 3 warnings and nothing worse.\n"),
};

// The usage in the language of the messages.
std::string Usage()
{
    wxString usage;
    for (const char* piece : g_usage)
        usage += *piece == '\n' ? wxString(piece) : wxGetTranslation(piece);
    return usage.utf8_string();
}

struct Options
{
    std::vector<wxString> files;
    std::vector<std::pair<wxString, wxString>> answers; // row name, value as written
    bool help = false;
    bool version = false;
    bool total = false;
    bool utf8 = false;
    wxString output; // the file named with --output
};

// Returns an error message, or empty when the arguments make sense.
wxString ParseArgs(const std::vector<wxString>& args, Options& options)
{
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i)
    {
        const wxString& arg = args[i];
        wxString answer;
        if (optionsEnded)
        {
            options.files.push_back(arg);
            continue;
        }
        if (arg == "--")
        {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h" || IsHelpSwitch(arg))
        {
            options.help = true;
            continue;
        }
        if (arg == "--version")
        {
            options.version = true;
            continue;
        }
        if (arg == "--total")
        {
            options.total = true;
            continue;
        }
        if (arg == "--utf8")
        {
            options.utf8 = true;
            continue;
        }
        if (arg == "--output" || arg.StartsWith("--output=", &options.output))
        {
            if (arg == "--output")
                options.output = ++i < args.size() ? args[i] : wxString();
            if (options.output.empty())
                return _("--output needs a FILE");
            continue;
        }
        if (arg == "--answer")
        {
            if (++i == args.size())
                return _("--answer needs ID=VALUE");
            answer = args[i];
        }
        else if (!arg.StartsWith("--answer=", &answer))
        {
            if (arg.StartsWith("-"))
                return wxString::Format(_("unknown option %s (a file whose name starts with '-' "
                                          "is given after -- or as ./%s)"),
                                        arg, arg);
            options.files.push_back(arg);
            continue;
        }
        if (!answer.Contains("="))
            return wxString::Format(_("--answer needs ID=VALUE, not %s"), answer);
        wxString value;
        const wxString id = answer.BeforeFirst('=', &value);
        // An empty shell variable gives "=1": that names no row at all.
        if (id.empty())
            return wxString::Format(_("--answer %s names no row: the ID before '=' is empty"),
                                    answer);
        options.answers.emplace_back(id, value);
    }
    if (options.files.empty() && !options.help && !options.version)
        return _("no rule file given");
    return wxString();
}

void Print(std::ostream& out, const wxString& file, const RuleProblem& problem)
{
    const wxString where = problem.line > 0 ? wxString::Format("%s:%d", file, problem.line) : file;
    const wxString message =
        problem.warning ? wxString::Format(_("warning: %s"), problem.message) : problem.message;
    out << (where + ": " + message).utf8_string() << '\n';
}

// Exit statuses.
constexpr int g_clean = 0, g_problems = 1, g_badUsage = 2, g_warningsOnly = 3;

// Reports an answer that fits no row of the file, or a report file that
// cannot be written, on err; the status is bad usage.
int UsageError(std::ostream& err, const wxString& file, const wxString& message)
{
    err << ("amorquant-check: " + file + ": " + message).utf8_string() << '\n';
    return g_badUsage;
}

// The status of two files together: bad usage outweighs problems, and
// problems outweigh warnings.
int Worse(int a, int b)
{
    const auto weight = [](int status) { return status == g_warningsOnly ? 1 : 2 * status; };
    return weight(a) >= weight(b) ? a : b;
}

// Prints the total for the answers, for a file that was read (root null
// when it was not: the answers are checked, but there is no total to
// show). An answer for a row that the file has but loses (the reason
// printed as a problem) makes the status g_problems; one that fits no row
// (reported on err) g_badUsage.
int PrintTotal(const wxString& file, const wxXmlNode* root, const Options& options,
               std::ostream& out, std::ostream& err)
{
    const RuleArray rules = ReadRules(root);
    const wxArrayString names = RowNames(rules);
    std::vector<long long> entered(rules.size(), 0);
    int status = g_clean;
    for (const auto& [name, value] : options.answers)
    {
        const int row = names.Index(name);
        RuleProblem missing;
        if (row == wxNOT_FOUND && WhyNoRow(root, name, missing))
        {
            Print(out, file, missing);
            status = g_problems;
            continue;
        }
        if (row == wxNOT_FOUND)
        {
            return UsageError(err, file, wxString::Format(_("no row named '%s'"), name));
        }
        if (!rules[row]->ParseAnswer(value, entered[row]))
        {
            const wxString hint = rules[row]->AnswerHint();
            return UsageError(
                err, file,
                hint.empty()
                    ? wxString::Format(_("'%s' is no answer for row '%s'"), value, name)
                    : wxString::Format(_("'%s' is no answer for row '%s': %s"), value, name, hint));
        }
    }
    if (root)
        out << (file + ": total " + wxString::Format("%d", TotalPrice(rules, entered)))
                   .utf8_string()
            << '\n';
    return status;
}

int CheckFile(const wxString& file, const Options& options, std::ostream& out, std::ostream& err)
{
    wxXmlDocument doc;
    const RuleLoadFault fault = LoadRuleFile(file, doc);
    // A file that reads garbled is told so once, not in the garbled text.
    const bool asWritten = fault.kind == RuleLoadFault::Kind::None && fault.readsAs.empty();
    const std::vector<RuleProblem> problems =
        asWritten ? CheckLoadedRuleFile(fault, doc.GetRoot()) : std::vector{LoadProblem(fault)};
    for (const RuleProblem& problem : problems)
        Print(out, file, problem);
    const bool warningsOnly = std::all_of(problems.begin(), problems.end(),
                                          [](const RuleProblem& p) { return p.warning; });
    int status = problems.empty() ? g_clean : warningsOnly ? g_warningsOnly : g_problems;
    if (options.total || !options.answers.empty())
        status = Worse(status,
                       PrintTotal(file,
                                  fault.kind == RuleLoadFault::Kind::None ? doc.GetRoot() : nullptr,
                                  options, out, err));
    return status;
}

int Run(const Options& options, std::ostream& out, std::ostream& err)
{
    if (options.help)
    {
        out << Usage();
        return g_clean;
    }
    if (options.version)
    {
        out << "amorquant-check " << ReleaseVersion() << '\n';
        return g_clean;
    }
    int status = g_clean;
    for (const wxString& file : options.files)
        status = Worse(status, CheckFile(file, options, out, err));
    return status;
}
} // namespace

int RunRuleCheck(const std::vector<wxString>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    const wxString error = ParseArgs(args, options);
    if (!error.empty())
    {
        err << ("amorquant-check: " + error).utf8_string() << '\n' << Usage();
        return g_badUsage;
    }
    if (options.utf8)
        UseUtf8ForRedirectedOutput();
    if (options.output.empty())
        return Run(options, out, err);
    wxString reason;
    const std::unique_ptr<std::ostream> file = CreateUtf8TextFile(options.output, reason);
    if (!file)
        return UsageError(err, options.output,
                          wxString::Format(_("cannot be written: %s"), wxGetTranslation(reason)));
    const int status = Run(options, *file, err);
    // A report cut short by a full disk must not pass for a whole one.
    if (!file->flush())
        return UsageError(
            err, options.output,
            wxString::Format(_("cannot be written: %s"), SystemReason(wxSysErrorCode())));
    return status;
}
