#include "shell/MakerSite.h"

#include "shell/UComon.h"

QString Maker_Web_Host()
{
    return QStringLiteral("velmora.example");
}

QString Maker_Web_Site()
{
    return QStringLiteral("https://") + Maker_Web_Host() + QStringLiteral("/");
}

QString Maker_Home_Page()
{
    return Maker_Web_Site() + QStringLiteral("HOME/default.asp?frompg=") + Const_SW_Code;
}

QString Maker_Download_Page()
{
    return Maker_Web_Site() + QStringLiteral("Home/download/download.asp#HD59D16");
}
