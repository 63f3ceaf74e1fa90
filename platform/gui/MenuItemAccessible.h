#pragma once
// Menu items and tool-bar parts as screen readers should hear them. Qt names a menu item by its
// whole text, mnemonic and key included ("開く(O)...\tCtrl+O"), and leaves a tool bar's separators
// and its overflow button as unnamed fillers; these give them plain names and their own roles.

#include <QString>

class QAccessibleInterface;
class QObject;
class QToolBar;

// A command's text without its mnemonic and key: "開く(&O)...\tCtrl+O" reads "開く...".
QString PlainActionText(const QString& text);

// The interface for a menu's item or a tool bar's separator; none for anything else.
QAccessibleInterface* MenuPartAccessible(const QString& className, QObject* object);

// Names each button of the bar after its command, and the overflow button as given.
void NameToolBarButtons(QToolBar* bar, const QString& overflowName);
