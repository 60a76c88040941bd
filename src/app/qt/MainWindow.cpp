#include "MainWindow.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QItemSelection>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include "AboutTab.h"
#include "ColorPicker.h"
#include "ComboBoxSetup.h"
#include "PreviewBox.h"
#include "QtDialogs.h"
#include "SettingsPage.h"

namespace sorvane {

namespace {

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MainWindow::MainWindow(Platform platform, Dialogs* dialogs, QWidget* parent) : QWidget(parent) {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("Desktop Sorvane"));
    if (!dialogs) {
        ownDialogs_ = std::make_unique<QtDialogs>(this);
        dialogs = ownDialogs_.get();
        // A question shows over the window as it stands at that moment (a
        // picture just listed, Apply just greyed), and over the window, not
        // the corner of the screen, when it comes while starting up.
        ownDialogs_->SetBeforeQuestion([this] {
            if (!form_) return;
            Mirror();
            if (!isVisible()) {
                show();
                // Placed by the window manager first, so the question is
                // centred on where the window really is. Bounded: a display
                // that never shows it must not hold the question.
                QElapsedTimer waited;
                waited.start();
                while (windowHandle() && !windowHandle()->isExposed() && waited.elapsed() < 1000)
                    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
            }
            repaint();
        });
    }
    form_ = std::make_unique<MainForm>(std::move(platform), *dialogs);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(10);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("TabStrip1");
    settings_ =
        new SettingsPage(form_->State().Settings.Pictures, *form_->Services().colors, tabs_);
    about_ = new AboutTab(QString::fromStdString(form_->Services().wording.Requirements), tabs_);
    tabs_->addTab(settings_, tr("Settings"));
    tabs_->addTab(about_, tr("About"));
    layout->addWidget(tabs_);

    cmdPrevew_ = Button(tr("Preview"), "cmdPrevew", this);
    cmdSetWallpaper_ = Button(tr("Set Wallpaper"), "cmdSetWallpaper", this);
    cmdHelp_ = Button(tr("&Help"), "cmdHelp", this);
    cmdOk_ = Button(tr("&Ok"), "cmdOk", this);
    cmdCancel_ = Button(tr("&Cancel"), "cmdCancel", this);
    cmdApply_ = Button(tr("&Apply"), "cmdApply", this);
    cmdApply_->setEnabled(false);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(cmdPrevew_);
    buttons->addWidget(cmdSetWallpaper_);
    buttons->addStretch();
    for (QPushButton* b : {cmdHelp_, cmdOk_, cmdCancel_, cmdApply_}) buttons->addWidget(b);
    layout->addLayout(buttons);
    // Picture1's inner size is fixed, so the form's preview rectangles hold.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Wire();
}

MainWindow::~MainWindow() = default;

void MainWindow::Load() {
    const QSize box = settings_->picture1->InnerSize();
    form_->PreviewBoxSized({box.width(), box.height()});
    form_->Form_Load();
    SetDroppedWidth(*settings_->cboTrans);
    SetComboReadOnly(*settings_->cboTrans);
    Mirror();
}

void MainWindow::Run(const std::function<void()>& handler) {
    form_->Guard(handler);
    Mirror();
    if (form_->Closed()) close();
}

void MainWindow::Wire() {
    MainForm& f = *form_;
    SettingsPage& s = *settings_;
    connect(tabs_, &QTabWidget::currentChanged, this, [this, &f](int index) {
        if (!mirroring_) Run([&f, index] { f.TabStrip1_Click(index + 1); });
    });

    connect(s.cmdAdd, &QPushButton::clicked, this, [this, &f] { Run([&f] { f.cmdAdd_Click(); }); });
    connect(s.cmdAddFolder, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdAddFolder_Click(); }); });
    connect(s.cmdRemove, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdRemove_Click(); }); });
    connect(s.cmdMoveUp, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdMoveUp_Click(); }); });
    connect(s.cmdMoveDown, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdMoveDown_Click(); }); });

    // A click changes the current entry and the selection in separate steps;
    // the form hears of the outcome once.
    auto selectionChanged = [this] {
        if (mirroring_ || selectionPending_) return;
        selectionPending_ = true;
        QTimer::singleShot(0, this, &MainWindow::ListSelectionChanged);
    };
    connect(s.lstPictures->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            selectionChanged);
    connect(s.lstPictures->selectionModel(), &QItemSelectionModel::currentChanged, this,
            selectionChanged);

    s.lstPictures->installEventFilter(this);

    connect(s.cboTrans, &QComboBox::activated, this, [this, &f](int index) {
        if (!mirroring_) Run([&f, index] { f.UserChoseTransition(index); });
    });
    connect(s.clrBackground, &ColorPicker::Changed, this, [this, &f] {
        const uint32_t value = settings_->clrBackground->Value();
        Run([&f, value] { f.UserPickedColour(value); });
    });
    connect(s.txtDuration, &QLineEdit::textEdited, this, [this, &f](const QString& text) {
        const std::string value = text.toStdString();
        Run([&f, &value] { f.UserEditedDuration(value); });
    });
    connect(s.optAlign, &QButtonGroup::idClicked, this, [this, &f](int index) {
        if (!mirroring_) Run([&f, index] { f.UserClickedAlign(index); });
    });

    connect(about_, &HoverArea::PointerMoved, this,
            [this, &f] { Run([&f] { f.Frame_MouseMove(1); }); });
    connect(about_->Label8(), &HoverArea::PointerMoved, this,
            [this, &f] { Run([&f] { f.Label8_MouseMove(); }); });
    connect(about_->Email(), &LinkLabel::PointerMoved, this,
            [this, &f] { Run([&f] { f.lblEmail_MouseMove(); }); });
    connect(about_->Site(), &LinkLabel::PointerMoved, this,
            [this, &f] { Run([&f] { f.lblOrl_MouseMove(); }); });
    connect(about_->Email(), &LinkLabel::Clicked, this,
            [this, &f] { Run([&f] { f.lblEmail_Click(); }); });
    connect(about_->Site(), &LinkLabel::Clicked, this,
            [this, &f] { Run([&f] { f.lblOrl_Click(); }); });

    connect(cmdPrevew_, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdPrevew_Click(); }); });
    connect(cmdSetWallpaper_, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdSetWallpaper_Click(); }); });
    // Help has no action.
    connect(cmdOk_, &QPushButton::clicked, this, [this, &f] { Run([&f] { f.cmdOk_Click(); }); });
    connect(cmdCancel_, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdCancel_Click(); }); });
    connect(cmdApply_, &QPushButton::clicked, this,
            [this, &f] { Run([&f] { f.cmdApply_Click(); }); });
}

void MainWindow::ListSelectionChanged() {
    selectionPending_ = false;
    if (mirroring_ || form_->Closed()) return;
    const QItemSelectionModel* model = settings_->lstPictures->selectionModel();
    std::vector<int> indices;
    for (const QModelIndex& index : model->selectedRows()) indices.push_back(index.row());
    std::sort(indices.begin(), indices.end());
    const QModelIndex current = model->currentIndex();
    const int currentRow = current.isValid() ? current.row() : -1;
    Run([this, &indices, currentRow] { form_->UserSelectedEntries(indices, currentRow); });
}

void MainWindow::MirrorList() {
    const auto& pictures = form_->State().Settings.Pictures;
    settings_->listModel->Refresh();
    QListView* view = settings_->lstPictures;
    QItemSelectionModel* model = view->selectionModel();
    QAbstractItemModel* items = settings_->listModel;
    // The selection as runs of neighbours, set in one call: large lists stay quick.
    QItemSelection selection;
    const int count = static_cast<int>(pictures.size());
    for (int i = 0; i < count;) {
        if (!pictures[i].Selected) {
            ++i;
            continue;
        }
        int end = i;
        while (end + 1 < count && pictures[end + 1].Selected) ++end;
        selection.select(items->index(i, 0), items->index(end, 0));
        i = end + 1;
    }
    if (selection != model->selection())
        model->select(selection, QItemSelectionModel::ClearAndSelect);
    const int current = form_->State().Controls.ListIndex;
    const QModelIndex currentIndex =
        current >= 0 && current < count ? items->index(current, 0) : QModelIndex();
    if (currentIndex != model->currentIndex()) {
        model->setCurrentIndex(currentIndex, QItemSelectionModel::NoUpdate);
        if (currentIndex.isValid()) view->scrollTo(currentIndex);
    }
}

void MainWindow::Mirror() {
    mirroring_ = true;
    const FormState& st = form_->State();
    const ControlState& c = st.Controls;
    SettingsPage& s = *settings_;

    tabs_->setCurrentIndex(c.TabIndex == 1 ? 0 : 1);
    MirrorList();
    s.cmdRemove->setEnabled(c.RemoveEnabled);
    s.cmdMoveUp->setEnabled(c.MoveUpEnabled);
    s.cmdMoveDown->setEnabled(c.MoveDownEnabled);
    if (c.TransIndex >= 0 && c.TransIndex < s.cboTrans->count())
        s.cboTrans->setCurrentIndex(c.TransIndex);
    s.cboTrans->setEnabled(c.TransEnabled);
    s.clrBackground->SetValue(st.Settings.BackgroundColor);
    const QString duration = QString::fromStdString(st.Settings.DurationText);
    if (s.txtDuration->text() != duration) s.txtDuration->setText(duration);
    s.optAlignButtons[AlignIndexOf(st.Settings.Alignment)]->setChecked(true);
    s.picture1->ShowPicture(c.PreviewPicturePath,
                            QRect(c.PreviewLeft, c.PreviewTop, c.PreviewWidth, c.PreviewHeight));

    about_->Email()->SetTextColor(c.EmailLinkColor);
    about_->Site()->SetTextColor(c.SiteLinkColor);

    cmdApply_->setEnabled(c.ApplyEnabled);
    cmdSetWallpaper_->setEnabled(c.SetWallpaperEnabled);
    if (c.Busy)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
    mirroring_ = false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Focus from the keyboard would make the first entry current without
    // selecting it: the preview and Remove would act on an entry that looks
    // untouched. It is selected as well, so what the list shows is what acts.
    QListView* view = settings_->lstPictures;
    if (watched == view && event->type() == QEvent::FocusIn &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::MouseFocusReason &&
        !view->currentIndex().isValid() && view->model()->rowCount() > 0)
        view->selectionModel()->setCurrentIndex(view->model()->index(0, 0),
                                                QItemSelectionModel::ClearAndSelect);
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The close box closes like Cancel; the form has already unloaded after OK
    // and Cancel.
    if (!form_->Closed()) form_->CloseBox();
    event->accept();
}

}  // namespace sorvane
