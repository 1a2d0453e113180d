/* Resource ids shared by quennix.rc (windres) and the C++ code.
   Plain #defines only: windres's preprocessor reads this file too. */
#ifndef QUENNIX_RESOURCE_IDS_H
#define QUENNIX_RESOURCE_IDS_H

/* JPEG images, stored as RCDATA (see make_art.sh for how they are made). */
#define IDR_SKIN          101 /* skin.jpg: 516 x 298 window face */
#define IDR_MIN_NORMAL    102 /* min_normal.jpg: 26 x 17, at (454,1) */
#define IDR_MIN_HOT       103 /* min_hot.jpg: 26 x 17, hover/pressed */
#define IDR_CLOSE_NORMAL  104 /* close_normal.jpg: 37 x 17, at (478,1) */
#define IDR_CLOSE_HOT     105 /* close_hot.jpg: 37 x 17, hover/pressed */

/* The icons are named groups, not numbered:
   DEFAULT_ICON  (app.ico, the program's icon, first icon group)
   trayIconImage (tray.ico, LoadImageA(instance, "trayIconImage", IMAGE_ICON, ...)) */

#endif
