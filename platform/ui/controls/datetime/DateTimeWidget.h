#pragma once
// The Qt side of a date-time picker (platform internal): a date in the
// locale's short format with a drop-down calendar, or a time of day with
// up-down buttons (DTS_TIMEFORMAT), and with DTS_SHOWNONE a check box in front
// that says whether the picker holds a value at all. The picker keeps a whole
// date and time whatever part it shows; the user changes only that part.
// Changes the user makes reach the parent as DTN_DATETIMECHANGE.

#include "platform/ui/Window.h"

#include <QWidget>

class QCheckBox;
class QDateTimeEdit;

namespace platform {

struct DateTimeState : ControlData {
    SYSTEMTIME value{};
    bool hasValue = true;
    SYSTEMTIME minimum{1601, 1, 0, 1, 0, 0, 0, 0};
    SYSTEMTIME maximum{9999, 12, 0, 31, 23, 59, 59, 999};
    bool timeOnly = false;
    int internal = 0;   // changes made by code, not the user
};

class DateTimeWidget : public QWidget {
public:
    DateTimeWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

    // Shows the state (value, check box, range) again.
    void Refresh();
    QCheckBox* CheckBox() const { return m_check; }
    QDateTimeEdit* Editor() const { return m_edit; }

private:
    void UserEdited();
    void UserChecked();

    HWND m_hwnd;
    QCheckBox* m_check = nullptr;
    QDateTimeEdit* m_edit = nullptr;
};

QWidget* MakeDateTimeWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent);

// Whether the SYSTEMTIME is a calendar date and time within [minimum, maximum].
bool DateTimeInRange(const DateTimeState& state, const SYSTEMTIME& time);
// Tells the parent of the picker's value (DTN_DATETIMECHANGE).
void NotifyDateTimeChange(HWND hwnd);

}  // namespace platform
