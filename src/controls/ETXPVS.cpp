// The second theme-services table: the dropdown editors' own binding, made
// once at first use.
#include "ETXPVS.h"

TThemeServices& ETXPVS()
{
    // Bound once, at first use (the application and its style exist by then).
    static TThemeServices services = [] {
        TThemeServices s;
        s.BindUxThemeFunctions();
        return s;
    }();
    return services;
}
