#pragma once
// Qt's own Japanese translations, so that the standard buttons and dialogs
// read はい, いいえ, キャンセル, OK in this Japanese program whatever the
// desktop's language.

// Loads and installs them once; false when they are not installed (the
// buttons then stay in English).
bool LoadQtTranslations();
