#pragma once

#include <QAbstractListModel>
#include <QWidget>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QListView;
class QPushButton;
class QRadioButton;

namespace sorvane {

class ColorPicker;
class ColorTranslator;
class PreviewBox;
struct PictureEntry;

// The picture list's names, read straight from the form's entries: the list
// keeps no copy of its own beyond what it needs to see that they changed.
class PictureListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    explicit PictureListModel(const std::vector<PictureEntry>& pictures, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Tells the view when the names or their order changed.
    void Refresh();

  private:
    const std::vector<PictureEntry>& pictures_;
    std::vector<std::string> shown_;
};

// The Settings page (Frame 0): the list and its buttons, the preview box and
// the option controls. The main window wires and mirrors them.
class SettingsPage : public QWidget {
    Q_OBJECT
  public:
    SettingsPage(const std::vector<PictureEntry>& pictures, ColorTranslator& colors,
                 QWidget* parent = nullptr);

    PictureListModel* listModel;
    QListView* lstPictures;
    PreviewBox* picture1;
    QPushButton* cmdAdd;
    QPushButton* cmdAddFolder;
    QPushButton* cmdRemove;
    QPushButton* cmdMoveUp;
    QPushButton* cmdMoveDown;
    QComboBox* cboTrans;
    ColorPicker* clrBackground;
    QLineEdit* txtDuration;
    QButtonGroup* optAlign;
    QRadioButton* optAlignButtons[3];
};

}  // namespace sorvane
