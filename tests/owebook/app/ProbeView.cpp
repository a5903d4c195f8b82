#include "AppTestEnv.h"

IMPLEMENT_DYNCREATE(CProbeMainView, CMainView)
