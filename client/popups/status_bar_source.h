// What the status bar reads from the main frame and the view when it
// refreshes. The frame implements it; tests give fixed answers.
#pragma once

#include <string>
#include <string_view>

namespace zol {

class StatusBarSource {
  public:
    virtual ~StatusBarSource() = default;

    // Displays in the navigation history beyond the home display.
    virtual int HistoryCount() const = 0;
    virtual std::string CurrentDisplayCaption() const = 0;
    virtual std::string DesignTitle() const = 0;
    // A connect sequence is running (connect commands are not posted then).
    virtual bool Connecting() const { return false; }
    // The display form of a text holding "%" (the server formats it; on a
    // failure the raw text, after telling the user).
    virtual std::string FormatText(std::string_view text) = 0;
    // Scrolls the icon lists of the current display by `rows` icon rows.
    virtual void ScrollIconLists(int rows) { (void)rows; }
    // Whether every icon list is at its top, and whether every one shows its end.
    virtual bool IconListsAtTop() const { return true; }
    virtual bool IconListsAtEnd() const { return true; }
};

}  // namespace zol
