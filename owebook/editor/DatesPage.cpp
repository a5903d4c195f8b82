#include "owebook/editor/DatesPage.h"

#include "owebook/data/CsvReader.h"
#include "owebook/editor/AlarmTime.h"
#include "owebook/editor/EditorIds.h"
#include "platform/core/CodePage.h"
#include "platform/core/Time.h"
#include "platform/framework/DataExchange.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApi.h"

#include <vector>

BEGIN_MESSAGE_MAP(CDatesPage, CPropertyPage)
    ON_CBN_SELCHANGE(IDC_DATES_REMINDER, OnReminderChange)
    ON_CBN_SELCHANGE(IDC_DATES_UNIT, OnUnitChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_DATES_RETURNED, OnReturnedDateChange)
    ON_NOTIFY(DTN_DATETIMECHANGE, IDC_DATES_DUE, OnDueDateChange)
    ON_BN_CLICKED(IDC_DATES_RETURNED_CHECK, OnReturnedCheck)
    ON_BN_CLICKED(IDC_PAGE_OK, OnOkButton)
    ON_BN_CLICKED(IDC_PAGE_DELETE, OnDelete)
END_MESSAGE_MAP()

namespace {

// A "LONGSTRING" resource's single-byte text up to its zero, as UTF-16;
// FALSE when there is no such resource.
BOOL LoadLongString(UINT id, CString& text)
{
    HRSRC info = FindResourceW(nullptr, MAKEINTRESOURCE(id), u"LONGSTRING");
    if (!info)
        return FALSE;
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, info)));
    const DWORD size = data ? SizeofResource(nullptr, info) : 0;
    int length = 0;
    while (static_cast<DWORD>(length) < size && data[length] != 0)
        ++length;
    text.Empty();
    if (length > 0) {
        std::vector<WCHAR> wide(static_cast<std::size_t>(length));
        const int got = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(data), length, wide.data(), length);
        text = CString(wide.data(), got);
    }
    return TRUE;
}

// What an item can store: time values from 1970 to 2106, as local times.
void ItemDateRange(SYSTEMTIME& earliest, SYSTEMTIME& latest)
{
    Time32ToLocalSystemTime(0, &earliest);
    Time32ToLocalSystemTime(0xFFFFFFFF, &latest);
}

}  // namespace

CDatesPage::CDatesPage(CItemRecord& item, COwebookDoc& doc)
    : CPropertyPage(IDD_DATES_PAGE), m_pItem(&item), m_pDoc(&doc), m_reminder(0, REMINDER_DAYS, 1)
{
}

CDatesPage::~CDatesPage() = default;

void CDatesPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_DATES_DUE_TIME, m_timeDue);
    DDX_Control(pDX, IDC_DATES_CREATED, m_dateCreated);
    DDX_Control(pDX, IDC_DATES_RETURNED_CHECK, m_checkReturned);
    DDX_Control(pDX, IDC_DATES_COUNT, m_comboCount);
    DDX_Control(pDX, IDC_DATES_UNIT, m_comboUnit);
    DDX_Control(pDX, IDC_DATES_REMINDER, m_comboReminder);
    DDX_Control(pDX, IDC_DATES_DUE, m_dateDue);
    DDX_Control(pDX, IDC_DATES_RETURNED, m_dateReturned);
    DDX_Text(pDX, IDC_DATES_COUNT, m_strCount);
    DDV_MaxChars(pDX, m_strCount, 2);
}

void CDatesPage::ShowTime(CDateTimeCtrl& picker, DWORD time)
{
    SYSTEMTIME local{};
    if (time != 0 && Time32ToLocalSystemTime(time, &local))
        picker.SetTime(&local);
    else
        picker.SetTime(nullptr);
}

DWORD CDatesPage::ReadTime(const CDateTimeCtrl& picker)
{
    SYSTEMTIME local{};
    DWORD time = 0;
    if (picker.GetTime(&local) != GDT_VALID || !LocalSystemTimeToTime32(&local, &time))
        return 0;
    return time;
}

BOOL CDatesPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SYSTEMTIME earliest{}, latest{};
    ItemDateRange(earliest, latest);
    for (CDateTimeCtrl* picker : {&m_dateCreated, &m_dateDue, &m_timeDue, &m_dateReturned}) {
        picker->ModifyStyle(0, DTS_NONEBUTTON);
        picker->SetRange(&earliest, &latest);
    }

    DWORD created = 0;
    ShowTime(m_dateCreated, m_pItem->GetCreatedDate(created) ? created : 0);

    DWORD due = 0;
    m_pItem->GetDueDate(due);
    ShowTime(m_dateDue, due);
    ShowTime(m_timeDue, due);
    if (due == 0)
        m_comboReminder.EnableWindow(FALSE);

    m_checkReturned.SetCheck(m_pItem->GetReturned() ? BST_CHECKED : BST_UNCHECKED);
    DWORD returned = 0;
    m_pItem->GetReturnedDate(returned);
    ShowTime(m_dateReturned, returned);

    m_pItem->GetReminder(m_reminder);
    m_comboReminder.SetCurSel(m_reminder.bOn ? 1 : 0);
    m_comboUnit.SetCurSel(m_reminder.nUnit);
    UpdateReminderControls();
    FillCountList();

    m_strCount.Format(u"%d", static_cast<int>(m_reminder.nCount));
    m_comboCount.SetWindowText(m_strCount);
    m_comboCount.LimitText(2);
    return TRUE;
}

void CDatesPage::UpdateReminderControls()
{
    const BOOL on = m_comboReminder.GetCurSel() == 1;
    m_comboUnit.EnableWindow(on);
    m_comboCount.EnableWindow(on);
    m_reminder.bOn = on;
}

void CDatesPage::FillCountList()
{
    const int unit = m_comboUnit.GetCurSel();
    CString text;
    if (unit < 0 || !LoadLongString(IDR_COUNTS_MINUTES + static_cast<UINT>(unit), text))
        return;
    m_comboCount.GetWindowText(m_strCount);
    m_comboCount.ResetContent();
    CCsvReader reader(text);
    do {
        CString field;
        reader.GetField(field);
        m_comboCount.AddString(field);
    } while (reader.NextField());
    m_reminder.nUnit = static_cast<BYTE>(unit);
    const int found = m_comboCount.FindString(-1, m_strCount);
    if (found != CB_ERR)
        m_comboCount.SetCurSel(found);
    else
        m_comboCount.SetWindowText(m_strCount);
}

BYTE CDatesPage::ReadCount(const CString& text)
{
    // Kept in one byte: "-5" would otherwise come back as 251.
    int at = 0;
    const int length = text.GetLength();
    while (at < length && text.GetAt(at) == u' ')
        ++at;
    if (at < length && (text.GetAt(at) == u'-' || text.GetAt(at) == u'+')) {
        if (text.GetAt(at) == u'-')
            return 0;
        ++at;
    }
    int value = 0;
    for (; at < length && text.GetAt(at) >= u'0' && text.GetAt(at) <= u'9'; ++at) {
        value = value * 10 + (text.GetAt(at) - u'0');
        if (value > 99)
            return 99;
    }
    return static_cast<BYTE>(value);
}

void CDatesPage::OnReminderChange() { UpdateReminderControls(); }

void CDatesPage::OnUnitChange() { FillCountList(); }

void CDatesPage::OnReturnedDateChange(NMHDR*, LRESULT* pResult)
{
    SYSTEMTIME returned{};
    m_checkReturned.SetCheck(m_dateReturned.GetTime(&returned) == GDT_VALID ? BST_CHECKED : BST_UNCHECKED);
    *pResult = 0;
}

void CDatesPage::OnDueDateChange(NMHDR*, LRESULT* pResult)
{
    SYSTEMTIME due{};
    const bool hasDue = m_dateDue.GetTime(&due) == GDT_VALID;
    if (!hasDue) {
        m_comboReminder.SetCurSel(0);
        m_timeDue.SetTime(nullptr);
        m_timeDue.Invalidate();
    } else {
        m_timeDue.SetTime(&due);
    }
    m_comboReminder.EnableWindow(hasDue);
    const BOOL on = m_comboReminder.GetCurSel() == 1;
    m_comboCount.EnableWindow(on);
    m_comboUnit.EnableWindow(on);
    *pResult = 0;
}

void CDatesPage::OnReturnedCheck()
{
    if (m_checkReturned.GetCheck() == BST_CHECKED) {
        SYSTEMTIME now{};
        GetLocalTime(&now);
        now.wMilliseconds = 0;
        m_dateReturned.SetTime(&now);
    } else {
        m_dateReturned.SetTime(nullptr);
        m_dateReturned.Invalidate();
    }
}

void CDatesPage::OnOK()
{
    CPropertyPage::OnOK();
    m_pItem->SetCreatedDate(ReadTime(m_dateCreated));

    DWORD oldDue = 0;
    m_pItem->GetDueDate(oldDue);
    DWORD newDue = ReadTime(m_dateDue);
    if (newDue != 0)
        if (const DWORD withTime = ReadTime(m_timeDue))
            newDue = withTime;
    m_pItem->SetDueDate(newDue);

    m_pItem->SetReturnedDate(ReadTime(m_dateReturned));
    m_pItem->SetReturned(m_checkReturned.GetCheck() == BST_CHECKED);

    m_reminder.nCount = ReadCount(m_strCount);
    if (const int unit = m_comboUnit.GetCurSel(); unit >= 0)
        m_reminder.nUnit = static_cast<BYTE>(unit);
    m_reminder.bOn = m_comboReminder.GetCurSel() == 1 ? 1 : 0;

    ReminderSpec stored;
    m_pItem->GetReminder(stored);
    if (stored == m_reminder && oldDue == newDue)
        return;
    ReminderSpec snooze;
    m_pItem->GetSnooze(snooze);
    snooze.bOn = 0;
    m_pItem->SetSnooze(snooze);
    m_pItem->SetReminder(m_reminder);
    m_pItem->SetAlarmTime(ItemAlarmTime(newDue, m_reminder));
}

BOOL CDatesPage::OnKillActive()
{
    if (!UpdateData(TRUE))
        return FALSE;
    OnOK();
    return CPropertyPage::OnKillActive();
}

void CDatesPage::OnCancel()
{
    CPropertyPage::OnCancel();
    EndSheet(ITEM_SHEET_CANCELLED);
}

void CDatesPage::OnOkButton()
{
    if (!UpdateData(TRUE))
        return;
    OnOK();
    EndSheet(ITEM_SHEET_OK);
}

void CDatesPage::OnDelete()
{
    if (MessageBox(u"Delete Item?", u"Owebook", MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    CPropertyPage::OnCancel();
    EndSheet(ITEM_SHEET_DELETE);
}
