#include "ViewTestEnv.h"

IMPLEMENT_DYNCREATE(CScriptedMainView, CMainView)
