#include "platform/ui/WindowClassRegistry.h"

#include "platform/ui/ButtonWidget.h"
#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CHeaderCtrl.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/ComboWidget.h"
#include "platform/ui/EditWidget.h"
#include "platform/ui/ListViewWidget.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/StaticWidget.h"

namespace platform {

// The standard controls register their window classes here. Until a class is
// registered, windows of it get the generic placeholder.
void RegisterControlClasses()
{
    RegisterWindowClass({WC_STATIC, MakeStaticWidget, []() -> CWnd* { return new CStatic; }});
    RegisterWindowClass({WC_BUTTON, MakeButtonWidget, []() -> CWnd* { return new CButton; }});
    RegisterWindowClass({WC_EDIT, MakeEditWidget, []() -> CWnd* { return new CEdit; }});
    RegisterWindowClass({WC_COMBOBOX, MakeComboWidget, []() -> CWnd* { return new CComboBox; }});
    RegisterWindowClass({WC_LISTVIEW, MakeListViewWidget, []() -> CWnd* { return new CListCtrl; }});
    RegisterWindowClass({WC_HEADER, MakeHeaderWidget, []() -> CWnd* { return new CHeaderCtrl; }});
}

}  // namespace platform
