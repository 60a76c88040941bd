#include "SettingsPage.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ColorPicker.h"
#include "PreviewBox.h"
#include "settings/SlideshowSettings.h"
#include "settings/TransitionNames.h"

namespace sorvane {

namespace {

QLabel* Caption(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// An arrow button: the triangles come from whatever font the system has.
QPushButton* ArrowButton(const char* name, QChar arrow, QWidget* parent) {
    auto* button = new QPushButton(QString(arrow), parent);
    button->setObjectName(name);
    const int side = button->sizeHint().height();
    button->setFixedSize(side + side / 2, side);
    return button;
}

}  // namespace

PictureListModel::PictureListModel(const std::vector<PictureEntry>& pictures, QObject* parent)
    : QAbstractListModel(parent), pictures_(pictures) {}

int PictureListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

QVariant PictureListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
    return QString::fromStdString(shown_[index.row()]);
}

void PictureListModel::Refresh() {
    bool same = shown_.size() == pictures_.size();
    for (size_t i = 0; same && i < shown_.size(); ++i) same = shown_[i] == pictures_[i].FileName;
    if (same) return;
    beginResetModel();
    shown_.clear();
    shown_.reserve(pictures_.size());
    for (const auto& entry : pictures_) shown_.push_back(entry.FileName);
    endResetModel();
}

SettingsPage::SettingsPage(const std::vector<PictureEntry>& pictures, ColorTranslator& colors,
                           QWidget* parent)
    : QWidget(parent) {
    setObjectName("Frame0");
    auto* page = new QGridLayout(this);
    page->setContentsMargins(12, 12, 12, 12);
    page->setHorizontalSpacing(16);
    page->setVerticalSpacing(6);

    // Left: the list and its buttons.
    listModel = new PictureListModel(pictures, this);
    lstPictures = new QListView(this);
    lstPictures->setObjectName("lstPictures");
    lstPictures->setModel(listModel);
    lstPictures->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstPictures->setUniformItemSizes(true);
    lstPictures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstPictures->setMinimumWidth(230);
    // The list fills its own white and the items' area stays clear: at a
    // fractional scale the items' area would round over the frame's bottom line.
    lstPictures->setBackgroundRole(QPalette::Base);
    lstPictures->setAutoFillBackground(true);
    lstPictures->viewport()->setAutoFillBackground(false);
    // A list view does not take its name from the label that points at it.
    lstPictures->setAccessibleName(tr("Pictures"));
    page->addWidget(Caption(tr("Pictures:"), lstPictures, this), 0, 0);
    page->addWidget(lstPictures, 1, 0, 2, 1);

    cmdAdd = new QPushButton(tr("Add Picture"), this);
    cmdAdd->setObjectName("cmdAdd");
    cmdAddFolder = new QPushButton(tr("Add Folder"), this);
    cmdAddFolder->setObjectName("cmdAddFolder");
    cmdRemove = new QPushButton(tr("Remove Selected"), this);
    cmdRemove->setObjectName("cmdRemove");
    cmdMoveUp = ArrowButton("cmdMoveUp", QChar(0x25B2), this);
    cmdMoveUp->setToolTip(tr("Move up"));
    cmdMoveUp->setAccessibleName(cmdMoveUp->toolTip());
    cmdMoveDown = ArrowButton("cmdMoveDown", QChar(0x25BC), this);
    cmdMoveDown->setToolTip(tr("Move down"));
    cmdMoveDown->setAccessibleName(cmdMoveDown->toolTip());
    auto* listButtons = new QGridLayout;
    listButtons->setSpacing(6);
    listButtons->addWidget(cmdAdd, 0, 0);
    listButtons->addWidget(cmdAddFolder, 0, 1);
    listButtons->addWidget(cmdRemove, 1, 0);
    auto* arrows = new QHBoxLayout;
    arrows->setSpacing(6);
    arrows->addWidget(cmdMoveUp);
    arrows->addWidget(cmdMoveDown);
    arrows->addStretch();
    listButtons->addLayout(arrows, 1, 1);
    page->addLayout(listButtons, 3, 0);

    // Right: the preview box and the option controls.
    picture1 = new PreviewBox(this);
    picture1->setObjectName("Picture1");
    picture1->setAccessibleName(tr("Preview"));
    const int frame = 2 * picture1->frameWidth();
    picture1->setFixedSize(240 + frame, 180 + frame);
    page->addWidget(Caption(tr("Preview:"), picture1, this), 0, 1);
    page->addWidget(picture1, 1, 1, Qt::AlignTop | Qt::AlignLeft);

    auto* options = new QGridLayout;
    options->setHorizontalSpacing(8);
    options->setVerticalSpacing(6);
    cboTrans = new QComboBox(this);
    cboTrans->setObjectName("cboTrans");
    cboTrans->setEditable(true);
    cboTrans->setInsertPolicy(QComboBox::NoInsert);
    cboTrans->setMaxVisibleItems(16);
    for (auto name : TransitionNames)
        cboTrans->addItem(QCoreApplication::translate("Transition", std::string(name).c_str()));
    cboTrans->setCurrentIndex(TransitionNone);
    cboTrans->setEnabled(false);
    // Named for what it sets, as its label reads; the value is read apart.
    cboTrans->setAccessibleName(tr("Transform"));
    cboTrans->lineEdit()->setAccessibleName(cboTrans->accessibleName());
    cboTrans->view()->setAccessibleName(cboTrans->accessibleName());
    options->addWidget(Caption(tr("Transform:"), cboTrans, this), 0, 0);
    options->addWidget(cboTrans, 0, 1, 1, 2);

    clrBackground = new ColorPicker(colors, this);
    clrBackground->setObjectName("clrBackground");
    options->addWidget(Caption(tr("Background Color:"), clrBackground, this), 1, 0);
    options->addWidget(clrBackground, 1, 1, 1, 2);

    txtDuration = new QLineEdit(QStringLiteral("6"), this);
    txtDuration->setObjectName("txtDuration");
    txtDuration->setFixedWidth(txtDuration->fontMetrics().horizontalAdvance('0') * 8);
    options->addWidget(Caption(tr("View Duration:"), txtDuration, this), 2, 0);
    options->addWidget(txtDuration, 2, 1);
    options->addWidget(new QLabel(tr("seconds"), this), 2, 2);
    options->setColumnStretch(2, 1);

    auto* frame1 = new QGroupBox(tr("Align Image"), this);
    frame1->setObjectName("Frame1Align");
    auto* alignRow = new QHBoxLayout(frame1);
    optAlign = new QButtonGroup(this);
    const char* captions[3] = {QT_TR_NOOP("Left"), QT_TR_NOOP("Center"), QT_TR_NOOP("Right")};
    for (int i = 0; i < 3; ++i) {
        optAlignButtons[i] = new QRadioButton(tr(captions[i]), frame1);
        optAlignButtons[i]->setObjectName(QStringLiteral("optAlign%1").arg(i));
        optAlign->addButton(optAlignButtons[i], i);
        alignRow->addWidget(optAlignButtons[i]);
    }
    optAlignButtons[1]->setChecked(true);
    options->addWidget(frame1, 3, 0, 1, 3);
    page->addLayout(options, 2, 1, 2, 1, Qt::AlignTop);
    page->setRowStretch(2, 1);

    cmdRemove->setEnabled(false);
    cmdMoveUp->setEnabled(false);
    cmdMoveDown->setEnabled(false);
}

}  // namespace sorvane
