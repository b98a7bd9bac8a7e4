#pragma once

#include <windows.h>

#include <string>

// A list box whose rows each carry a check box before their text. The list box is owner-drawn
// with fixed rows and strings (LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY); its owner
// hands WM_DRAWITEM for it to Draw. A click on a box, or the space bar, toggles that row's
// check, selects the row and tells the owner with LBN_SELCHANGE.
class CCheckList {
 public:
  // Takes over the list box until it is destroyed, with rows as tall as its font.
  void Attach(HWND list);
  HWND hwnd() const { return list_; }
  void Add(const std::wstring& text, bool checked);
  int Count() const;
  // The selected row, -1 for none.
  int Selection() const;
  bool Checked(int index) const { return Checked(list_, index); }
  void SetChecked(int index, bool checked) { SetChecked(list_, index, checked); }
  static void Draw(const DRAWITEMSTRUCT& draw);

 private:
  static bool Checked(HWND list, int index);
  static void SetChecked(HWND list, int index, bool checked);
  static LRESULT CALLBACK Proc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data);
  HWND list_ = nullptr;
};
