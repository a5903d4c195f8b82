#include "platform/ui/WindowClassRegistry.h"

#include "platform/ui/controls/button/ButtonProc.h"
#include "platform/ui/controls/button/ButtonWidget.h"
#include "platform/ui/controls/button/CButton.h"
#include "platform/ui/controls/combo/CComboBox.h"
#include "platform/ui/controls/edit/CEdit.h"
#include "platform/ui/controls/header/CHeaderCtrl.h"
#include "platform/ui/controls/listview/CListCtrl.h"
#include "platform/ui/controls/combo/ComboProc.h"
#include "platform/ui/controls/combo/ComboWidget.h"
#include "platform/ui/controls/edit/EditProc.h"
#include "platform/ui/controls/edit/EditWidget.h"
#include "platform/ui/controls/header/HeaderProc.h"
#include "platform/ui/controls/listview/ListViewProc.h"
#include "platform/ui/controls/listview/ListViewWidget.h"
#include "platform/ui/controls/static/CStatic.h"
#include "platform/ui/controls/static/StaticProc.h"
#include "platform/ui/controls/static/StaticWidget.h"
#include "platform/ui/controls/datetime/CDateTimeCtrl.h"
#include "platform/ui/controls/datetime/DateTimeProc.h"
#include "platform/ui/controls/datetime/DateTimeWidget.h"
#include "platform/ui/controls/propsheet/PropSheetDefs.h"
#include "platform/ui/controls/propsheet/TabStripProc.h"
#include "platform/ui/controls/propsheet/TabStripWidget.h"

namespace platform {

// The standard controls register their window classes here.
void RegisterControlClasses()
{
    RegisterWindowClass({WC_STATIC, StaticProc, MakeStaticWidget, []() -> CWnd* { return new CStatic; }});
    RegisterWindowClass({WC_BUTTON, ButtonProc, MakeButtonWidget, []() -> CWnd* { return new CButton; }});
    RegisterWindowClass({WC_EDIT, EditProc, MakeEditWidget, []() -> CWnd* { return new CEdit; }});
    RegisterWindowClass({WC_COMBOBOX, ComboProc, MakeComboWidget, []() -> CWnd* { return new CComboBox; }});
    RegisterWindowClass({WC_LISTVIEW, ListViewProc, MakeListViewWidget, []() -> CWnd* { return new CListCtrl; }});
    RegisterWindowClass({WC_HEADER, HeaderProc, MakeHeaderWidget, []() -> CWnd* { return new CHeaderCtrl; }});
    RegisterWindowClass({DATETIMEPICK_CLASS, DateTimeProc, MakeDateTimeWidget,
                         []() -> CWnd* { return new CDateTimeCtrl; }});
    RegisterWindowClass({WC_TABCONTROL, TabStripProc, MakeTabStripWidget, {}});
}

}  // namespace platform
