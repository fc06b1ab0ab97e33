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
class LangTexts;
class Log;
class CaptionKeys;
class GridModel;
class ChartPage;
class LogPage;
class RejectsPage;

class ResultViews : public QTabWidget {
    Q_OBJECT
public:
    ResultViews(GridCells& outPreview, const IGridSource& rejects, Log& log, IDialogs& dialogs,
                 QWidget* parent = nullptr);

    // The captions of the result group and the pages' titles, in the language in use; those with
    // a key go through keys, which the conversion page applies.
    void Retranslate(const LangTexts& lang, CaptionKeys& keys);

    // outNameEdit shows the result file's name, or a single blank on red when there is none.
    void ShowOutName(const QString& name, bool valid);

    QWidget* outputTab;
    QGroupBox* outputGroup;
    QLabel* outDirLabel;
    QPushButton* changeButton;
    QLabel* outNameCaption;
    QLineEdit* outNameEdit;
    QLabel* outputFormatCaption;
    QComboBox* outputFormatBox;
    QLabel* outputPreviewCaption;
    GridModel* outputPreviewModel;
    QTableView* outputGrid;
    RejectsPage* rejectsPage;
    LogPage* logPage;
    ChartPage* chartPage;
};

} // namespace lmx
