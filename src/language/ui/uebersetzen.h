#pragma once
// Translating windows and their controls from their caption numbers (dynamic property "tag").
//
// How the control kinds map onto Qt, tested in this order (the first that matches decides):
//   QAction                      menu command: text := FeldName; tool tip and status tip := FeldHilfe
//   QMenu                        menu: title := FeldName; hint := FeldHilfe
//   QLabel                       label: caption and hint; a label in a form row gets its field as buddy
//                                (so "&" marks the accelerator), a label without buddy shows the caption
//                                without accelerator marks
//   QButtonGroup                 radio group: its buttons' texts from the following records, in the
//                                group's button order; not for the group named "DBStatus"
//   QGroupBox                    group box: title and hint
//   QTabWidget                   tabbed notebook: hint; tab titles from the following records
//   QTabBar                      tab set: hint; tab titles from the following records
//   page of a QTabWidget         tab sheet: its tab title and the page's hint
//   QCheckBox, QRadioButton      check box, radio button: caption and hint
//   QPushButton, QToolButton     push button, tool button, bitmap button: caption and hint
//   QComboBox named "DB..."      data-bound combo box: hint; items from the following records; both
//                                skipped for "DBComboBoxFarbe" and "DBComboBoxAugenfarbe"
//   other QComboBox              combo box: hint; items only for "ComboBoxInzuchtFenster"
//   QLineEdit, QAbstractSpinBox,
//   QTextEdit, QPlainTextEdit,
//   QAbstractItemView            edit field, memo, grid: hint only
//   QFrame (panel)               panel: hint
// "Caption and hint": caption := FeldName, tool tip and status tip := FeldHilfe. A missing record
// changes nothing. Entries are replaced one per existing entry; their number never changes.

#include "language/sprache.h"

#include <QObject>
#include <QString>

class QWidget;

namespace velmora::language {

// Translates the one top-level window whose objectName equals the name exactly (case-sensitive).
void FensterUebersetzen(TSprache& sprache, const QString& fensterName, int offset);
// Every top-level window, with all of its children.
void AlleFensterUebersetzen(TSprache& sprache, int offset);
// One window: its title from FeldHilfe of its own record, then every descendant with a tag.
void FensterObjektUebersetzen(TSprache& sprache, QWidget* fenster, int offset);
// One control by its tag.
void KomponenteUebersetzen(TSprache& sprache, QObject* komponente, int offset);

// The same over the run's instance (nothing happens without one).
void FensterUebersetzen(const QString& fensterName, int offset);
void AlleFensterUebersetzen(int offset);

} // namespace velmora::language
