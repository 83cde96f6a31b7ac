#pragma once

#include "scoring/answermemory.h"
#include "scoring/rule.h"
#include "xmlio/xmldocumentex.h"

#include <wx/frame.h>
#include <wx/propgrid/propgriddefs.h>

class wxAuiManager;
class wxAuiManagerEvent;
class wxAuiNotebook;
class wxAuiToolBar;
class wxBoxSizer;
class wxButton;
class wxChoice;
class wxHtmlWindow;
class wxMenuItem;
class wxPanel;
class wxPropertyGrid;
class wxStaticText;
class wxStatusBar;

// The main window: the checklist page, the result pane, toolbar, menus and
// status bar, and the commands behind them.
class QuorvelFrame : public wxFrame
{
public:
    QuorvelFrame(wxWindow* parent, wxWindowID id = wxID_ANY);
    ~QuorvelFrame() override;

    // Rebuilds the checklist from the rule file of a friend type and a mode;
    // every answer starts afresh.
    void BuildChecklist(int friendType, int mode);
    // Reads the rule file into m_rules and m_ruleProperties.
    void LoadRules(int friendType, int mode);
    // Prices the current answers and shows the result page.
    void Calculate();
    void ClearRules();
    void ClearRuleProperties();

    static const long ID_STATICTEXT1;
    static const long ID_CHOICE_FRIEND_TYPE;
    static const long ID_STATICTEXT2;
    static const long ID_CHOICE_MODE;
    static const long ID_BUTTON_CALC;
    static const long ID_BUTTON_RESET;
    static const long ID_PANEL2;
    static const long ID_AUINOTEBOOK_CHECKLIST;
    static const long ID_HTMLWINDOW_RESULT;
    static const long ID_PANEL1;
    static const long ID_AUINOTEBOOK_RESULT;
    static const long ID_TOOL_UPDATE;
    static const long ID_TOOL_ABOUT;
    static const long ID_AUITOOLBAR;
    static const long ID_MENU_QUIT;
    static const long ID_MENU_LANGUAGE;
    static const long ID_MENU_UPDATE;
    static const long ID_MENU_ABOUT;
    static const long ID_STATUSBAR;

private:
    wxBoxSizer* BuildChecklistPage();
    void BuildResultPage();
    void BuildToolBar();
    void FollowHighContrast();
    wxString ResultPageShown(int total) const;
    void BuildMenuBar();
    void BuildStatusBar();
    void ConnectEvents();
    void LeaveBlindStopsOutOfTabOrder();
    void SaveFrameGeometry();
    wxSize MinimumClientSize() const;
    void FitResultPage();
    void FitToWorkArea();
    void ShrinkPanes(int excess);
    void ConnectPaneEvents();
    wxWindow* ActiveFloatingPane() const;
    wxPoint FloatingPanePlace(const wxSize& size) const;
    void RebuildFromChoices();
    void ShowChosenList();

    void OnChoiceFriendTypeSelect(wxCommandEvent& event);
    void OnChoiceModeSelect(wxCommandEvent& event);
    void OnButtonCalcClick(wxCommandEvent& event);
    void OnButtonResetClick(wxCommandEvent& event);
    void OnUpdate(wxCommandEvent& event);
    void OnAbout(wxCommandEvent& event);
    void OnQuit(wxCommandEvent& event);
    void OnLanguage(wxCommandEvent& event);
    void OnPaneButton(wxAuiManagerEvent& event);
    void OnPaneClose(wxAuiManagerEvent& event);

    wxPropertyGrid* m_propGrid = nullptr;
    wxXmlDocumentEx m_ruleDoc;
    wxXmlNode* m_ruleRoot = nullptr; // borrowed from m_ruleDoc
    // Pointer arrays: deliberate (docs/developing.md, "Frozen interface").
    RuleArray m_rules;                  // owns its rules
    wxArrayPGProperty m_ruleProperties; // the rows belong to the grid
    bool m_firstBuild = true;
    // The answers of each list for the session, and the list shown.
    AnswerMemory m_answers;
    int m_shownFriendType = 0;
    int m_shownMode = 0;
    wxAuiManager* m_auiManager = nullptr;
    wxAuiToolBar* m_toolBar = nullptr;
    wxButton* m_calcButton = nullptr;
    wxAuiNotebook* m_resultBook = nullptr;
    wxStaticText* m_modeLabel = nullptr;
    wxStatusBar* m_statusBar = nullptr;
    wxButton* m_resetButton = nullptr;
    wxPanel* m_resultPanel = nullptr;
    wxStaticText* m_friendTypeLabel = nullptr;
    wxMenuItem* m_updateItem = nullptr;
    wxAuiNotebook* m_checklistBook = nullptr;
    wxMenuItem* m_languageItem = nullptr;
    wxHtmlWindow* m_resultHtml = nullptr;
    wxPanel* m_checklistPanel = nullptr;
    wxChoice* m_modeChoice = nullptr;
    wxChoice* m_friendTypeChoice = nullptr;

    wxDECLARE_EVENT_TABLE();
};
