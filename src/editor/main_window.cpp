#include "main_window.h"

#include <QEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <limits>

#include "editor/clickable_label.h"
#include "editor/error_report.h"
#include "offsets/profile_store.h"

namespace zelvane::editor {
namespace {

using offsets::OffsetLayout;
using offsets::ProfileStore;

constexpr char fieldIndexProperty[] = "fieldIndex";

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(caption));
    QFont smallFont = font();
    smallFont.setPointSize(8);  // the form's fields are 21 pixels high
    setFont(smallFont);
    buildControls();
    onLoad();
}

void MainWindow::buildControls() {
    const double dpi = logicalDpiX();
    setFixedSize(FormLayout::toPixels(FormLayout::clientWidth, dpi),
                 FormLayout::toPixels(FormLayout::clientHeight, dpi));
    std::vector<QWidget*> focusOrder;
    for (const ControlDescription& described : FormLayout::controls()) {
        QWidget* control = createControl(described);
        control->setObjectName(described.name);
        control->setGeometry(FormLayout::toPixels(described.left, dpi),
                             FormLayout::toPixels(described.top, dpi),
                             FormLayout::toPixels(described.width, dpi),
                             FormLayout::toPixels(described.height, dpi));
        if (control->focusPolicy() != Qt::NoFocus) {
            focusOrder.push_back(control);
        }
    }
    setTabOrder(focusOrder);
}

QWidget* MainWindow::createControl(const ControlDescription& control) {
    switch (control.kind) {
        case ControlKind::Field:
        case ControlKind::SlotBox:
            return createTextBox(control);
        case ControlKind::PushButton: {
            auto* button = new QPushButton(control.text, this);
            connect(button, &QPushButton::clicked, this,
                    control.name == QLatin1String("Command1") ? &MainWindow::onSave
                                                              : &MainWindow::onRead);
            return button;
        }
        case ControlKind::FileList:
            m_fileList = new QListWidget(this);
            m_fileList->setSelectionMode(QAbstractItemView::SingleSelection);
            // One line per name: no need to measure a thousand items.
            m_fileList->setUniformItemSizes(true);
            return m_fileList;
        case ControlKind::ClickableLabel: {
            auto* label = new ClickableLabel(control.text, this);
            connect(label, &ClickableLabel::clicked, this,
                    control.name == QLatin1String("Label3") ? &MainWindow::onIncrease
                                                            : &MainWindow::onDecrease);
            return label;
        }
        case ControlKind::Label:
            return new QLabel(control.text, this);
    }
    return nullptr;
}

QLineEdit* MainWindow::createTextBox(const ControlDescription& control) {
    auto* box = new QLineEdit(control.text, this);
    box->setMaxLength(std::numeric_limits<int>::max());  // a value may be of any length
    if (control.kind == ControlKind::SlotBox) {
        box->setAccessibleName(QStringLiteral("Slot"));
        m_slotBox = box;
        return box;
    }
    const int index = control.fieldIndex;
    const QString name = QString::fromStdString(OffsetLayout::cellName(index));
    box->setAccessibleName(name);
    box->setToolTip(name);
    box->setProperty(fieldIndexProperty, index);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { m_table.setValue(index, text.toStdString()); });
    m_fields[index] = box;
    return box;
}

void MainWindow::setTabOrder(const std::vector<QWidget*>& focusOrder) {
    for (std::size_t i = 1; i < focusOrder.size(); ++i) {
        QWidget::setTabOrder(focusOrder[i - 1], focusOrder[i]);
    }
}

void MainWindow::onLoad() {
    m_table.reset();
    showValues();
    fillFileList();
    m_fields[0]->setFocus();
}

void MainWindow::fillFileList() {
    runGuarded([this] {
        m_profileNames = ProfileStore::listProfiles();
        QStringList shown;
        shown.reserve(static_cast<qsizetype>(m_profileNames.size()));
        for (const std::string& name : m_profileNames) {
            shown.append(QString::fromStdString(name));
        }
        m_fileList->clear();
        m_fileList->addItems(shown);
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const QVariant index = watched->property(fieldIndexProperty);
        if (index.isValid()) {
            onFieldClick(index.toInt());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::onFieldClick(int index) {
    m_table.select(index);
}

void MainWindow::onIncrease() {
    runGuarded([this] { m_table.stepSelected(+1); });
}

void MainWindow::onDecrease() {
    runGuarded([this] { m_table.stepSelected(-1); });
}

void MainWindow::onSave() {
    runGuarded([this] { ProfileStore::saveProfile(m_table, m_slotBox->text().toStdString()); });
}

void MainWindow::onRead() {
    const QList<QListWidgetItem*> selected = m_fileList->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const std::string name =
        m_profileNames.at(static_cast<std::size_t>(m_fileList->row(selected.front())));
    runGuarded([this, &name] {
        ProfileStore::readProfile(name, m_table);
        m_slotBox->setText(QString::fromStdString(ProfileStore::slotFromFileName(name)));
    });
}

void MainWindow::showValues() {
    for (int index = 0; index < offsets::OffsetTable::size; ++index) {
        const QString text = QString::fromStdString(m_table.value(index));
        if (m_fields[index]->text() != text) {
            m_fields[index]->setText(text);
        }
    }
}

void MainWindow::runGuarded(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const platform::RuntimeError& error) {
        showValues();  // whatever the operation did before failing is shown
        ErrorReport::show(this, error);
        return;
    }
    showValues();
}

}  // namespace zelvane::editor
