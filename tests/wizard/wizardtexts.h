// Texts of the wizard's templates and strings, in the ANSI code page 1250 the tests run in.
#pragma once

#define TXT_FRAME_CAPTION  "A Glimra 5 telep\xedt\xe9se"
#define TXT_NEXT           "&Tov\xe1" "bb >"
#define TXT_BACK           "< &Vissza"
#define TXT_CANCEL         "M\xe9gse"
#define TXT_YES            "Igen"
#define TXT_NO             "Nem"
#define TXT_FINISH         "&Befejez\xe9s >"
#define TXT_ACCEPT         "K\xe9rj\xfck fogadja el a licenc szerz\xf5" "d\xe9st"
#define TXT_CONFIRM_CANCEL "Val\xf3" "ban megszak\xedtja a Glimra 5 telep\xedt\xe9s\xe9t?"
#define TXT_INSTALLED_OK   "A Glimra 5 sikeresen telep\xedt\xe9sre ker\xfclt!"
#define TXT_CHOOSE_FINISH  "K\xe9rj\xfck v\xe1lassza a \"Befejez\xe9s >\" gombot a telep\xedt\xe9s befejez\xe9s\xe9hez."
#define TXT_APP_TITLE      "Glimra Telep\xedt\xf5"
#define TXT_FOLDER_HAS_OLD "Ez a mappa m\xe1r tartalmazza a Glimra 5 r\xe9gebbi verzi\xf3j\xe1t. Amennyiben friss\xedteni, vagy \xfajra telep\xedteni szeretn\xe9, ne v\xe1ltoztasson a mapp\xe1n."
