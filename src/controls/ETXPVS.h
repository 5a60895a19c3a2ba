#pragma once
// The second theme-services table: the dropdown editors' own binding of the
// theme services (their dropdown button and calculator), the same table as
// ExXPVS, bound separately.

#include "ExXPVS.h"

TThemeServices& ETXPVS();
