#pragma once
// The lower pages of the conversion page: the result file and output preview, the rejected lines
// and the log.
#include <QTabWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QWidget;

namespace lmx {

class GridCells;
class IDialogs;
class IGridSource;
class Log;
class UGridModel;
class LogPage;
class RejectsPage;

class UResultViews : public QTabWidget {
    Q_OBJECT
public:
    UResultViews(GridCells& outPreview, const IGridSource& rejects, Log& log, IDialogs& dialogs,
                 QWidget* parent = nullptr);

    // Edit2 shows the result file's name, or a single blank on red when there is none.
    void ShowOutName(const QString& name, bool valid);

    QWidget* TabSheet4;
    QGroupBox* GroupBox2;
    QWidget* Panel2;
    QLabel* Label16;
    QPushButton* BitBtn4;
    QLabel* Label4;
    QLineEdit* Edit2;
    QLabel* Label5;
    QComboBox* ComboBox2;
    QLabel* Label6;
    QTableView* StringGrid2;
    UGridModel* StringGrid2Model;
    RejectsPage* TabSheet5;
    LogPage* TabSheet6;
};

} // namespace lmx
