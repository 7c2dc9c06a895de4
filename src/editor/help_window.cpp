#include "help_window.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

#include "offsets/profile_store.h"

namespace zelvane::editor {
namespace {

// A key as the desktop names it, so that the help says what the window's
// shortcuts answer to here: every binding the platform gives a standard
// key, such as Ctrl+Y besides Ctrl+Shift+Z for Redo on Windows, but the
// function keys beyond F12 that few keyboards have (F14 is Undo on X11).
QString keysOf(QKeySequence::StandardKey key) {
    QStringList names;
    for (const QKeySequence& binding : QKeySequence::keyBindings(key)) {
        const Qt::Key pressed = binding[0].key();
        if (pressed < Qt::Key_F13 || pressed > Qt::Key_F35) {
            names << binding.toString(QKeySequence::NativeText).toHtmlEscaped();
        }
    }
    return names.join(QStringLiteral(" or "));
}

QString keyOf(const QKeySequence& key) {
    return key.toString(QKeySequence::NativeText).toHtmlEscaped();
}

QString row(const QString& what, const QString& meaning) {
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(what, meaning);
}

// Ruled, with its head shaded, in the palette's colours, so that a dark
// theme shows it as well as a light one.
QString table(const QString& head, const QString& meaningHead, const QString& rows) {
    const QPalette palette = QGuiApplication::palette();
    return QStringLiteral(
               "<table border='1' cellspacing='0' cellpadding='4' style='border-collapse: "
               "collapse; border-style: solid; border-color: %4'><tr><th align='left' "
               "bgcolor='%5'>%1</th><th align='left' bgcolor='%5'>%2</th></tr>%3</table>")
        .arg(head, meaningHead, rows, palette.color(QPalette::Mid).name(),
             palette.color(QPalette::Button).name());
}

QString stepping() {
    return QStringLiteral(
               "<h3>Stepping a value</h3>"
               "<p>Click a field, then click <b>Increase</b> or <b>Decrease</b> as often as you "
               "like: each click steps that field by 1, by 0.1 with <b>Shift</b> held, and "
               "holding the button down steps on. Before any click they step Up X. The field "
               "they step is tinted with the highlight colour. In a field:</p>") +
           table(QStringLiteral("Keys"), QStringLiteral("Step"),
                 row(QStringLiteral("Up / Down"), QStringLiteral("1")) +
                     row(QStringLiteral("Shift+Up / Shift+Down"), QStringLiteral("0.1")) +
                     row(QStringLiteral("Page Up / Page Down"), QStringLiteral("10"))) +
           QStringLiteral(
               "<p>Each steps that field and makes it the one Increase and Decrease step. A value "
               "steps when it reads as a number: digits, with a sign, a point (never a comma) "
               "and an exponent if need be, such as -1.5 or 2E-3, blanks around it allowed. A sum "
               "keeps no more decimals than the value "
               "or the step, at most 15 significant digits, and trailing zeros go: 0.2 stepped by "
               "0.1 is 0.3, 1.000 stepped by 1 is 2. The mouse wheel over a field scrolls the "
               "form and never changes a value.</p>");
}

QString keys() {
    return QStringLiteral("<h3>Keys anywhere in the window</h3>") +
           table(QStringLiteral("Keys"), QStringLiteral("What they do"),
                 row(keysOf(QKeySequence::Undo), QStringLiteral("Undo")) +
                     row(keysOf(QKeySequence::Redo), QStringLiteral("Redo")) +
                     row(keysOf(QKeySequence::Save), QStringLiteral("Save")) +
                     row(keysOf(QKeySequence::Open), QStringLiteral("Change folder")) +
                     row(keyOf(QKeySequence(Qt::CTRL | Qt::Key_Q)) + QStringLiteral(" or ") +
                             keysOf(QKeySequence::Close),
                         QStringLiteral("Close the window, asking nothing")) +
                     row(keysOf(QKeySequence::HelpContents),
                         QStringLiteral("This help; %1 closes it")
                             .arg(keyOf(QKeySequence(Qt::Key_Escape))))) +
           QStringLiteral(
               "<p>Text of several lines pasted into a field fills that field and those after it "
               "in profile order, one line each; cells copied from a spreadsheet fill the grid "
               "as you see it, passing over the places that have no field. A paste is refused "
               "whole when fewer fields remain than it holds, or when a value of it falls where "
               "the grid has no field.</p>");
}

QString undo() {
    return QStringLiteral(
        "<h3>What Undo takes back</h3>"
        "<p>The last change, whatever has the focus; Redo brings it again. A change is a run of "
        "typing in one field or in the slot box, a run of steps on one field (five clicks on "
        "Increase are one change), a paste, a Read, a folder or profile opened, or the values "
        "another program wrote to the profile, taken in. Save changes no value and is not "
        "undone. Undo selects the field it changes and shows it; one that takes back a change "
        "made in another folder works in that folder again. A few hundred changes are kept. "
        "The tooltips of Undo and Redo name the change they would take back or bring.</p>");
}

QString marks() {
    return QStringLiteral("<h3>What the marks say</h3>") +
           table(QStringLiteral("Mark"), QStringLiteral("Meaning"),
                 row(QStringLiteral("A tinted field"),
                     QStringLiteral("The field Increase and Decrease step.")) +
                     row(QStringLiteral("A field's top right corner cut off"),
                         QStringLiteral("Its value differs from the profile read or saved last; "
                                        "its tooltip says what it was.")) +
                     row(QStringLiteral("* in the title"),
                         QStringLiteral("The fields differ from the profile the title names, "
                                        "or the disk has changed it.")) +
                     row(QStringLiteral("(changed on disk)"),
                         QStringLiteral("Another program wrote the profile after you changed "
                                        "the fields. Your values stay: Read takes the disk's, "
                                        "Save writes yours over them.")) +
                     row(QStringLiteral("(deleted)"),
                         QStringLiteral("The profile was removed or renamed away; Save writes "
                                        "it again.")) +
                     row(QStringLiteral("Untitled"),
                         QStringLiteral("The fields were changed and belong to no profile: none "
                                        "was read or saved in this folder."))) +
           QStringLiteral(
               "<p>While you have changed nothing, a profile another program writes shows its "
               "new values at once. The marks only tell: nothing asks before closing or "
               "reading.</p>");
}

QString profiles() {
    return QStringLiteral(
               "<h3>Where profiles are read and saved</h3>"
               "<p>In the folder named on the line at the foot of the window: the one the editor "
               "was started in or given, until <b>Change folder…</b>, or a folder or profile "
               "dropped on the window, changes it. <b>Save</b>, or <b>Enter</b> in the slot box, "
               "writes the table to <code>%1<i>slot</i>%2</code> there, with the slot box's "
               "text, replacing a profile of that slot. The list shows the folder's profiles as "
               "they come and go: double-click one, or select it and press <b>Enter</b> or click "
               "<b>Read</b>, to read it. A profile is plain text, sixty lines, value 0 first, each "
               "ending in CR LF.</p>")
        .arg(QString::fromUtf8(offsets::ProfileStore::prefix),
             QString::fromUtf8(offsets::ProfileStore::extension));
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Help"));
    setWindowTitle(QStringLiteral("Help"));
    // The form names its font (on Windows, Windows' own first); a window of
    // its own would fall back on the platform's, which under Wine is a serif.
    setFont(parent->font());
    auto* browser = new QTextBrowser(this);
    browser->setOpenLinks(false);
    browser->setHtml(stepping() + keys() + undo() + marks() + profiles());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser);
    const QFontMetrics metrics(browser->font());
    resize(metrics.averageCharWidth() * 80, metrics.lineSpacing() * 45);
}

QString HelpWindow::pointer() {
    return QStringLiteral("%1 tells more.")
        .arg(QKeySequence(QKeySequence::HelpContents).toString(QKeySequence::NativeText));
}

void HelpWindow::showBeside(const QWidget* window) {
    if (!m_placed) {
        m_placed = true;
        place(window);
    }
    show();
    raise();
    activateWindow();
}

// Beside the window, on the side with more room, narrowed to fit there
// down to a readable width; on a screen too small for that it covers the
// window's edge on that side. The frame is not known before the help is
// shown: room is kept for one of the usual size.
void HelpWindow::place(const QWidget* window) {
    const QSize frame(16, 48);
    const QRect beside = window->frameGeometry();
    const QRect available = window->screen()->availableGeometry();
    const int rightRoom = available.right() - beside.right() - frame.width();
    const int leftRoom = beside.left() - available.left() - frame.width();
    const int narrowest = fontMetrics().averageCharWidth() * 45;
    const int wide = std::min(width(), std::max(std::max(leftRoom, rightRoom), narrowest));
    const int high = std::min(height(), available.height() - frame.height());
    resize(wide, high);
    const int top =
        std::clamp(beside.top(), available.top(), available.bottom() + 1 - high - frame.height());
    if (rightRoom >= leftRoom) {
        move(std::min(beside.right() + 1, available.right() + 1 - wide - frame.width()), top);
    } else {
        move(std::max(beside.left() - wide - frame.width(), available.left()), top);
    }
}

}  // namespace zelvane::editor
