#include "shell/MakerSite.h"

#include "shell/UComon.h"

namespace {

QString Site_Override;

} // namespace

QString Maker_Web_Host()
{
    return QStringLiteral("velmora.example");
}

QString Maker_Web_Site()
{
    if (!Site_Override.isEmpty())
        return Site_Override;
    return QStringLiteral("https://") + Maker_Web_Host() + QStringLiteral("/");
}

void Set_Maker_Web_Site(const QString& Address)
{
    Site_Override = Address;
    if (!Site_Override.isEmpty() && !Site_Override.endsWith(QLatin1Char('/')))
        Site_Override += QLatin1Char('/');
}

QString Maker_Home_Page()
{
    return Maker_Web_Site() + QStringLiteral("HOME/default.asp?frompg=") + Const_SW_Code;
}

QString Maker_Download_Page()
{
    return Maker_Web_Site() + QStringLiteral("Home/download/download.asp#HD59D16");
}

QString Maker_Version_Page()
{
    return Maker_Web_Site() + QStringLiteral("home/download/GetversionSW.asp?nomesw=") + Const_Update_SW_Code;
}
