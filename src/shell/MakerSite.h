#pragma once
// The maker's web site and the pages of it that the program opens or asks.

#include <QString>

// Host part shown to the user, and the site's address (ends with "/").
QString Maker_Web_Host();
QString Maker_Web_Site();
// Tests put a server of their own in the maker's place: every page below
// then lies under Address. The empty text gives the maker's site back.
void Set_Maker_Web_Site(const QString& Address);
// Home page, telling the site which program sent the user.
QString Maker_Home_Page();
// Download page of this converter model.
QString Maker_Download_Page();
// The page that names the newest version of this software.
QString Maker_Version_Page();
