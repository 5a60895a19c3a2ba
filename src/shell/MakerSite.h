#pragma once
// The maker's web site and the pages of it that the program opens.

#include <QString>

// Host part shown to the user, and the site's address.
QString Maker_Web_Host();
QString Maker_Web_Site();
// Home page, telling the site which program sent the user.
QString Maker_Home_Page();
// Download page of this converter model.
QString Maker_Download_Page();
