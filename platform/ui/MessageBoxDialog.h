#pragma once
// The dialog behind MessageBox (platform internal).

#include "platform/ui/CDialog.h"

#include <vector>

namespace platform {

class MessageBoxDialog : public CDialog {
public:
    MessageBoxDialog(CWnd* pOwner, const CString& text, const CString& caption, UINT type);
    INT_PTR Run();

    static constexpr int kIconId = 0x14;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    bool HasButton(int id) const;

    CString m_strText;
    CString m_strCaption;
    UINT m_nType;
    std::vector<int> m_buttons;
};

}  // namespace platform
