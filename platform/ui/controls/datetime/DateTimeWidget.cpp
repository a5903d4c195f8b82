#include "platform/ui/controls/datetime/DateTimeWidget.h"

#include "platform/core/Locale.h"
#include "platform/core/Time.h"
#include "platform/ui/WinApi.h"
#include "platform/ui/controls/datetime/DateTimeDefs.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>

#include <tuple>

namespace platform {
namespace {

QDateTime ToQDateTime(const SYSTEMTIME& t)
{
    return QDateTime(QDate(t.wYear, t.wMonth, t.wDay), QTime(t.wHour, t.wMinute, t.wSecond));
}

auto Key(const SYSTEMTIME& t)
{
    return std::make_tuple(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

// A locale picture ("h:mm:ss tt", "M/d/yyyy") as Qt writes formats.
QString QtFormat(const CString& picture, bool timeOnly)
{
    QString f = QString::fromUtf16(picture.GetString(), picture.GetLength());
    f.replace(QStringLiteral("tt"), QStringLiteral("AP"));
    if (timeOnly) {
        // The picker sets hours and minutes; seconds stay what they were.
        f.remove(QStringLiteral(":ss"));
        f.remove(QStringLiteral(".ss"));
    }
    return f;
}

}  // namespace

bool DateTimeInRange(const DateTimeState& state, const SYSTEMTIME& time)
{
    if (!IsValidSystemTime(&time))
        return false;
    return Key(time) >= Key(state.minimum) && Key(time) <= Key(state.maximum);
}

void NotifyDateTimeChange(HWND hwnd)
{
    Window* w = LookupWindow(hwnd);
    auto* state = GetControlData<DateTimeState>(hwnd);
    if (!w || !state || !w->parent || w->destroying)
        return;
    NMDATETIMECHANGE change{};
    change.nmhdr = NMHDR{hwnd, w->id, DTN_DATETIMECHANGE};
    change.dwFlags = state->hasValue ? GDT_VALID : GDT_NONE;
    if (state->hasValue)
        change.st = state->value;
    ::SendMessage(w->parent, WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(&change));
}

DateTimeWidget::DateTimeWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent) : QWidget(parent), m_hwnd(hwnd)
{
    auto* state = GetControlData<DateTimeState>(hwnd);
    const DWORD style = static_cast<DWORD>(cs.style);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    if (style & DTS_SHOWNONE) {
        m_check = new QCheckBox(this);
        m_check->setAccessibleName(QStringLiteral("Has a date"));
        m_check->setFocusPolicy(Qt::StrongFocus);
        layout->addWidget(m_check);
        connect(m_check, &QCheckBox::toggled, this, [this] { UserChecked(); });
    }
    m_edit = new QDateTimeEdit(this);
    if (state && state->timeOnly) {
        m_edit->setDisplayFormat(QtFormat(GetTimePicture(), true));
    } else {
        m_edit->setDisplayFormat(QtFormat(GetShortDatePicture(), false));
        m_edit->setCalendarPopup((style & DTS_UPDOWN) == 0);
    }
    m_edit->setDateTimeRange(QDateTime(QDate(1601, 1, 1), QTime(0, 0)), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)));
    m_edit->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_edit, 1);
    setFocusProxy(m_edit);
    connect(m_edit, &QDateTimeEdit::dateTimeChanged, this, [this] { UserEdited(); });
    Refresh();
}

void DateTimeWidget::Refresh()
{
    auto* state = GetControlData<DateTimeState>(m_hwnd);
    if (!state)
        return;
    ++state->internal;
    // The range is the state's to keep (UserEdited): Qt would clamp a time
    // picker's time of day to the range's times.
    m_edit->setDateTime(ToQDateTime(state->value));
    m_edit->setEnabled(state->hasValue);
    if (m_check)
        m_check->setChecked(state->hasValue);
    --state->internal;
}

void DateTimeWidget::UserEdited()
{
    auto* state = GetControlData<DateTimeState>(m_hwnd);
    if (!state || state->internal)
        return;
    const QDateTime shown = m_edit->dateTime();
    SYSTEMTIME next = state->value;
    if (state->timeOnly) {
        next.wHour = static_cast<WORD>(shown.time().hour());
        next.wMinute = static_cast<WORD>(shown.time().minute());
    } else {
        next.wYear = static_cast<WORD>(shown.date().year());
        next.wMonth = static_cast<WORD>(shown.date().month());
        next.wDay = static_cast<WORD>(shown.date().day());
        next.wDayOfWeek = static_cast<WORD>(shown.date().dayOfWeek() % 7);
    }
    if (Key(next) == Key(state->value))
        return;
    if (!DateTimeInRange(*state, next)) {
        Refresh();
        return;
    }
    state->value = next;
    NotifyDateTimeChange(m_hwnd);
}

void DateTimeWidget::UserChecked()
{
    auto* state = GetControlData<DateTimeState>(m_hwnd);
    if (!state || state->internal || !m_check)
        return;
    state->hasValue = m_check->isChecked();
    m_edit->setEnabled(state->hasValue);
    NotifyDateTimeChange(m_hwnd);
}

QWidget* MakeDateTimeWidget(HWND hwnd, const CREATESTRUCT& cs, QWidget* parent)
{
    Window* w = LookupWindow(hwnd);
    if (!w)
        return nullptr;
    auto state = std::make_unique<DateTimeState>();
    const DWORD style = static_cast<DWORD>(cs.style);
    state->timeOnly = (style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT;
    // A new picker holds the current local time, to the second.
    GetLocalTime(&state->value);
    state->value.wMilliseconds = 0;
    w->controlData = std::move(state);
    return new DateTimeWidget(hwnd, cs, parent);
}

}  // namespace platform
