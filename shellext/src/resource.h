#pragma once

// Image shown beside "Open with Scribo"; its top-left colour is the transparent key.
#define IDB_MENU_BITMAP 1001
