#pragma once
// What the window's application sets up on the desktop before anything is shown.

class QCoreApplication;
class QTranslator;

// Qt's own texts (the file and colour dialogs' buttons, say) in the user's language, where Qt's
// translations are installed. The translator installed, or nullptr.
QTranslator* LoadQtTranslations(QCoreApplication& app);

// Qt's dialogs keep state of their own (the colour picker's custom colours) in a settings file of
// Qt's; the program writes no file but its settings, so that state is sent nowhere.
void KeepQtDialogStateOut();
