// Texts of the wizard's templates and strings, as the UI robot reads them (UTF-8).
#pragma once

#define TXT_FRAME_CAPTION  "A Glimra 5 telepítése"
#define TXT_NEXT           "&Tovább >"
#define TXT_CANCEL         "Mégse"
#define TXT_YES            "Igen"
#define TXT_NO             "Nem"
#define TXT_FINISH         "&Befejezés >"
#define TXT_ACCEPT         "Kérjük fogadja el a licenc szerződést"
#define TXT_CONFIRM_CANCEL "Valóban megszakítja a Glimra 5 telepítését?"
#define TXT_INSTALLED_OK   "A Glimra 5 sikeresen telepítésre került!"
#define TXT_CHOOSE_FINISH  "Kérjük válassza a \"Befejezés >\" gombot a telepítés befejezéséhez."
#define TXT_INSTALL_FAILED "A Glimra 5 telepítése nem sikerült, a telepítő visszavonta a módosításokat."
#define TXT_CLOSE_SETUP    "Kérjük válassza a \"Befejezés >\" gombot a telepítő bezárásához."
#define TXT_FIRST_FAILURE  "Az első hiba: "
#define TXT_APP_TITLE      "Glimra Telepítő"
#define TXT_FOLDER_HAS_OLD "Ez a mappa már tartalmazza a Glimra 5 régebbi verzióját. Amennyiben frissíteni, vagy újra telepíteni szeretné, ne változtasson a mappán."
