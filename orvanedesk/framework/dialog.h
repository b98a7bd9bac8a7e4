#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <optional>
#include <string>
#include <vector>

// Command ids of the property sheet's own buttons.
constexpr int kIdApplyNow = 12321;
constexpr int kIdWizFinish = 12325;

// A message box captioned with the program's name, for the program's own notices.
int AppMessageBox(HWND owner, const std::wstring& text, UINT type);
// A string of the program's resources; empty when there is none.
std::wstring LoadResourceString(UINT id);

// One pass of data exchange between a dialog's controls and its members. When saving, a value
// that cannot be taken (an integer edit left empty) fails the exchange: the user has been told
// and the focus sits on that control.
class CDataExchange {
 public:
  CDataExchange(HWND dialog, bool save) : dialog_(dialog), save_(save) {}
  bool Saving() const { return save_; }
  bool Failed() const { return failed_; }
  HWND Dialog() const { return dialog_; }
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }
  void Fail(int id);

 private:
  HWND dialog_;
  bool save_;
  bool failed_ = false;
};

// Code page 932 text of an edit or static; a character the code page lacks is refused when saving.
void DDX_Text(CDataExchange& dx, int id, std::string& value);
// A decimal integer; an empty or non-numeric edit is refused when saving.
void DDX_Text(CDataExchange& dx, int id, int& value);
void DDX_Check(CDataExchange& dx, int id, int& value);
// The index of the checked button of the radio group starting at `id`, -1 for none.
void DDX_Radio(CDataExchange& dx, int id, int& value);
void DDX_CBIndex(CDataExchange& dx, int id, int& value);

// Text of a control, converted from and to code page 932; nothing when the control holds a
// character the code page lacks.
std::optional<std::string> GetItemText(HWND dialog, int id);
void SetItemText(HWND dialog, int id, const std::string& text);

// A dialog from a template of the program's resources, modal or modeless, bound to this object
// at WM_INITDIALOG. Subclasses react through the virtuals; OnMessage is the catch-all switch and
// returns what a dialog procedure returns.
class CDialog {
 public:
  explicit CDialog(UINT templateId) : templateId_(templateId) {}
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;
  virtual ~CDialog();

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  INT_PTR DoModal(HWND parent);
  // Modeless: the dialog lives until it is destroyed; PostNcDestroy may delete the object.
  bool Create(HWND parent);
  // Runs DoDataExchange; false when a saved value was refused.
  bool UpdateData(bool save);
  // The message loop offers each message to the open modeless dialog it is for, before the
  // dialog keys are handled; true when that dialog took it.
  static bool PreTranslateModeless(MSG* msg);

 protected:
  virtual BOOL OnInitDialog();
  // True when the command was handled.
  virtual bool OnCommand(int id, int code, HWND control);
  virtual LRESULT OnNotify(NMHDR* header);
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange&) {}
  virtual INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // A modeless dialog's look at a message for it or its controls (say, to relay it to a
  // tooltip); true when it is handled and must not be dispatched.
  virtual bool PreTranslateMessage(MSG*) { return false; }
  // After the window is gone; a modeless dialog that owns itself deletes itself here.
  virtual void PostNcDestroy() {}
  // Ends a modal dialog, destroys a modeless one.
  void EndDialog(INT_PTR result);
  // The value a notification handler hands back to the system.
  void SetResult(LRESULT result) { SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result); }

  UINT templateId_;

 private:
  friend class CPropertyPage;
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static INT_PTR Dispatch(CDialog* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

// One page of a property sheet or wizard. The sheet tells the page through its notifications;
// leaving a page takes its controls into its members and stays when that is refused.
class CPropertyPage : public CDialog {
 public:
  explicit CPropertyPage(UINT templateId) : CDialog(templateId) {}
  PROPSHEETPAGEW Describe();
  HWND Sheet() const { return GetParent(hwnd()); }
  // Enables the sheet's Apply button (or clears this page's claim on it).
  void SetModified(bool modified = true);
  bool Created() const { return hwnd() != nullptr; }
  // The sheet the page was added to.
  class CPropertySheet* Owner() const {
    return sheet_;
  }

 protected:
  virtual bool OnSetActive() { return true; }
  virtual bool OnKillActive() { return UpdateData(true); }
  virtual bool OnApply() { return true; }
  virtual void OnReset() {}
  // 0 moves on; -1 stays; a dialog id jumps there.
  virtual LRESULT OnWizardNext() { return 0; }
  virtual LRESULT OnWizardBack() { return 0; }
  virtual bool OnWizardFinish() { return true; }
  LRESULT OnNotify(NMHDR* header) override;
  void SetWizardButtons(DWORD flags);

 private:
  friend class CPropertySheet;
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  class CPropertySheet* sheet_ = nullptr;
};

// A modal property sheet or wizard over its pages, which it does not own. The sheet window is
// subclassed so that a subclass can handle its commands (Apply is 12321).
class CPropertySheet {
 public:
  CPropertySheet(std::wstring caption, HWND parent)
      : caption_(std::move(caption)), parent_(parent) {}
  CPropertySheet(const CPropertySheet&) = delete;
  CPropertySheet& operator=(const CPropertySheet&) = delete;
  virtual ~CPropertySheet() = default;

  void AddPage(CPropertyPage* page);
  void SetWizardMode() { wizard_ = true; }
  // The caption, before the sheet opens or while it is shown.
  void SetCaption(std::wstring caption);
  // IDOK, IDCANCEL, or kIdWizFinish for a finished wizard.
  INT_PTR DoModal();
  HWND hwnd() const { return hwnd_; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  CPropertyPage* Page(int index) const { return pages_[index]; }

 protected:
  // Called when the sheet's own initialization is over (its first page exists and the sheet
  // has its final size), before it shows.
  virtual void OnInitSheet() {}
  // True when the command was handled; otherwise the sheet's own handling runs.
  virtual bool OnCommand(int id, int code, HWND control);
  // The sheet's own handling of the message being handled, for a handler that adds to it.
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  friend class CPropertyPage;
  void FitPages();
  static thread_local CPropertySheet* t_opening;
  static thread_local HHOOK t_catcher;
  static LRESULT CALLBACK CatchSheet(int code, WPARAM wParam, LPARAM lParam);
  static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lParam);
  static LRESULT CALLBACK SheetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
  std::wstring caption_;
  HWND parent_;
  HWND hwnd_ = nullptr;
  bool wizard_ = false;
  bool closedByOk_ = false;
  bool finished_ = false;
  std::vector<CPropertyPage*> pages_;
};
