#pragma once

// The maker's addresses and notices, shown by the main window and the About box.
#define MAKER_DOWNLOAD_URL "http://www.larkvale.net/amorquant/download.html"
#define MAKER_HOME_URL "http://www.larkvale.net/"
#define MAKER_HOME_LABEL "www.larkvale.net"
#define MAKER_COPYRIGHT "Copyright (C) 2010 Larkvale Studio"
