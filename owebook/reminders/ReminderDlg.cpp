#include "owebook/reminders/ReminderDlg.h"

#include "owebook/data/ItemRecord.h"
#include "owebook/data/OwebookDoc.h"
#include "owebook/reminders/ReminderSpecToSeconds.h"
#include "owebook/res/Resource.h"
#include "owebook/views/Formatting.h"
#include "platform/core/Time.h"
#include "platform/system/Trace.h"
#include "platform/system/sound/Sound.h"
#include "platform/framework/DataExchange.h"
#include "platform/ui/WinApi.h"

#include <cstdint>

namespace {

constexpr WCHAR ALARM_SOUND[] = u"\\windows\\alarm2.WAV";

// The snooze list's unit words, by unit; parsing reads their first three letters.
constexpr const char16_t* UNIT_WORDS[] = {u"Minute", u"Hour", u"Day", u"Week", u"Month"};

// A reminder that has come up is off, whatever the user does next.
const ReminderSpec REMINDER_OFF(0, REMINDER_DAYS, 1);

}  // namespace

BEGIN_MESSAGE_MAP(CReminderDlg, CDialog)
    ON_BN_CLICKED(IDC_REMINDER_SNOOZE, OnSnooze)
    ON_BN_CLICKED(IDC_REMINDER_RETURNED, OnItemReturned)
END_MESSAGE_MAP()

CReminderDlg::CReminderDlg(COwebookDoc* pDoc, CItemRecord* pItem, CEOID oidItem, CWnd* pParentWnd)
    : CDialog(IDD_REMINDER, pParentWnd), m_pDoc(pDoc), m_pItem(pItem), m_oidItem(oidItem)
{
    m_strType.LoadString(m_pItem->GetType() == ITEM_IOU ? IDS_IOU : IDS_UOME);
    m_pDoc->GetCategoryName(m_pItem->GetCategory(), m_strCategory);
    DWORD due = 0;
    m_pItem->GetDueDate(due);
    FormatDateTime(due, m_strDue);
    m_strName = m_pItem->GetName();
    m_strDescription = m_pItem->GetDescription();
}

void CReminderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REMINDER_SNOOZE_LIST, m_comboSnooze);
    DDX_Control(pDX, IDC_REMINDER_SNOOZE, m_checkSnooze);
    DDX_Text(pDX, IDC_REMINDER_NAME, m_strName);
    DDX_Text(pDX, IDC_REMINDER_CATEGORY, m_strCategory);
    DDX_Text(pDX, IDC_REMINDER_DUE, m_strDue);
    DDX_Text(pDX, IDC_REMINDER_DESCRIPTION, m_strDescription);
    DDX_Text(pDX, IDC_REMINDER_TYPE, m_strType);
}

BOOL CReminderDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ::MessageBeep(0xFFFFFFFF);

    ReminderSpec snooze(0, REMINDER_DAYS, 1);
    m_pItem->GetSnooze(snooze);
    int nEntry = 0;
    if (snooze.bOn) {
        CString text;
        FormatReminderSpec(snooze, text);
        const int found = m_comboSnooze.FindStringExact(-1, text);
        if (found >= 0)
            nEntry = found;
    }
    m_checkSnooze.SetCheck(snooze.bOn ? BST_CHECKED : BST_UNCHECKED);
    m_comboSnooze.SetCurSel(nEntry);
    m_comboSnooze.ShowWindow(snooze.bOn ? SW_SHOW : SW_HIDE);

    m_pItem->SetReminder(REMINDER_OFF);

    // Synchronous: the dialog shows once the sound has ended.
    PlaySoundW(ALARM_SOUND, nullptr, SND_SYNC | SND_NODEFAULT);
    platform::Trace("reminder shown %u", static_cast<unsigned>(m_oidItem));
    return TRUE;
}

void CReminderDlg::OnSnooze() { m_comboSnooze.ShowWindow(m_checkSnooze.GetCheck() == BST_CHECKED ? SW_SHOW : SW_HIDE); }

void CReminderDlg::OnOK()
{
    ReminderSpec snooze(0, REMINDER_DAYS, 1);
    SYSTEMTIME alarm{};
    if (m_checkSnooze.GetCheck() == BST_CHECKED) {
        CString text;
        const int nSel = m_comboSnooze.GetCurSel();
        if (nSel >= 0)
            m_comboSnooze.GetLBText(nSel, text);
        snooze = ParseReminderSpec(text);
        snooze.bOn = 1;
        const std::int64_t due = static_cast<std::int64_t>(time32(nullptr)) + ReminderSpecToSeconds(snooze);
        if (!platform::UtcSecondsToLocal(due, alarm))
            alarm = SYSTEMTIME{};
    }
    m_pItem->SetSnooze(snooze);
    m_pItem->SetAlarmTime(alarm);
    CDialog::OnOK();
}

void CReminderDlg::OnItemReturned()
{
    UpdateData(TRUE);
    m_pItem->SetReturned(TRUE);
    m_pItem->SetReturnedDate(time32(nullptr));
    m_pItem->SetSnooze(ReminderSpec(0, 5, 0));
    const SYSTEMTIME noAlarm{};
    m_pItem->SetAlarmTime(noAlarm);
    EndDialog(IDOK);
}

void CReminderDlg::FormatReminderSpec(const ReminderSpec& spec, CString& text)
{
    text.Format(u"%d ", static_cast<int>(spec.nCount));
    if (spec.nUnit <= REMINDER_MONTHS)
        text += UNIT_WORDS[spec.nUnit];
    if (spec.nCount >= 2)
        text += u's';
}

ReminderSpec CReminderDlg::ParseReminderSpec(const CString& text)
{
    ReminderSpec spec(0, REMINDER_DAYS, 1);
    const int nSpace = text.Find(u' ');
    if (nSpace < 1)
        return spec;
    int nCount = 0;
    for (int i = 0; i < nSpace && text[i] >= u'0' && text[i] <= u'9'; ++i)
        nCount = (nCount * 10 + (text[i] - u'0')) & 0xFFFF;
    spec.nCount = static_cast<BYTE>(nCount);
    const CString unit = text.Mid(nSpace + 1, 3);
    for (BYTE u = REMINDER_MINUTES; u <= REMINDER_MONTHS; ++u)
        if (unit == CString(UNIT_WORDS[u]).Left(3))
            spec.nUnit = u;
    return spec;
}
