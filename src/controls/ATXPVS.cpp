#include "ATXPVS.h"

TThemeServices& ATXPVS()
{
    // Bound once, at first use (the application and its style exist by then).
    static TThemeServices services = [] {
        TThemeServices s;
        s.BindUxThemeFunctions();
        return s;
    }();
    return services;
}
