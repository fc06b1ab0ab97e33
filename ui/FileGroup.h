#pragma once
// A file group of the conversion page, for the sources or for the result: the folder on two lines
// beside its button, the file's name, the format list and a preview of the first lines.
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace lmx {

class GridCells;
class GridModel;

// The controls' object names, in the order of the members below.
struct FileGroupNames {
    const char *group, *dirPanel, *dirLabel, *button, *nameCaption, *nameEdit, *formatCaption, *formatBox,
        *previewCaption, *grid;
};

struct FileGroup {
    QGroupBox* group;
    QWidget* dirPanel;
    QLabel* dirLabel;
    QPushButton* button;
    QLabel* nameCaption;
    QLineEdit* nameEdit;
    QLabel* formatCaption;
    QComboBox* formatBox;
    QLabel* previewCaption;
    QTableView* grid;
    GridModel* model;
    QGridLayout* layout;
};

FileGroup BuildFileGroup(const FileGroupNames& names, GridCells& preview);

} // namespace lmx
