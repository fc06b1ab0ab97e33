#pragma once
// The conversion page: input group, run buttons, counters, options in force and the lower result
// pages, with their handlers. The rules live in the core's ConversionPageModel and the run; the page maps its
// controls to them. The window reaches it only through the functions below.
#include "ui/GridCells.h"
#include "ui/RunView.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QColor;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lmx {

class ConversionPageModel;
class IDialogs;
class IGridSource;
class Session;
class GridModel;
class ResultViews;
class RunThread;
struct FormatChoices;

class ConversionPage : public QWidget, public IRunPage {
    Q_OBJECT
public:
    // status: the window's status bar, as a run uses it.
    ConversionPage(Session& session, IDialogs& dialogs, IRunStatus& status, QWidget* parent = nullptr);
    ~ConversionPage() override;

    // Start-up steps, in the window's order: nothing chosen, the format lists once the formats are
    // read (their columns on the grids when the file could be read), the options in force, and the
    // first show (empty names, the log's colours).
    void Reset();
    void ShowFormats(bool formatsRead);
    void ShowOptions();
    void Shown();
    // The files of the command line taken and converted.
    void ConvertFiles(const std::vector<std::string>& files);
    void Retranslate();
    // The keys of the window's own buttons and pages, which the page's captions leave alone.
    void SetWindowKeys(const std::string& keys) { windowKeys_ = keys; }

    // The two format lists, as the core computed them.
    void ApplyFormatChoices(const FormatChoices& choices);

    void onOpenClicked();
    void onChangeClicked();        // the result file
    void onInputFormatChosen();
    void onOutputFormatChosen();   // also the output preview's refresh
    void onConvertClicked();
    void onCancelClicked();

    // A run is going (from "Convertir" until its end reaches the window); asked to close during it,
    // the window closes once the run has stopped.
    bool Running() const;
    void CloseWindowAfterRun();

    // The sentence that explains the error of a row of the rejected-lines grid.
    std::string ExplainReject(int row) const;
    const GridCells& InPreview() const { return inPreview_; }
    const GridCells& OutPreview() const { return outPreview_; }
    // The buttons and the areas of the window's hover highlight.
    std::vector<QAbstractButton*> HoverButtons() const;
    std::vector<QWidget*> HoverAreas() const;

    // What a run shows on the page.
    void SetCounters(const QString& files, const QString& read, const QString& rejected,
                     const QString& written) override;
    void SetRejectedColor(bool red) override;
    void ShowRejectedCount(const QString& count) override;
    void RefreshRejects() override;
    void ShowRunPage(RunPage page) override;
    // "Convertir", "Ouvrir", "Changer" and the two format lists, off while a run goes on.
    void SetConvertEnabled(bool enabled) override;

signals:
    // The run asked to close the window is over, its result whole: the window may close now.
    void runOverForClosing();
    // A run is over, its closing message given.
    void runEnded();

private:
    void Build();
    void Wire();
    void ClearPreviews();
    void RefreshGrids();
    void SetGridHeaders(GridCells& grid, bool input);
    void ShowSource();
    void ShowOutPath();
    void ShowChosenFiles(); // after files were taken: the source and the input preview, or nothing
    void RefreshInPreview(); // after the files or the input format changed
    // The first lines of the first source, cut by the input format, into inRows_ and the grid.
    int FeedInPreview();
    void OnRunEnded();
    void ApplyLogColors();
    void StoreLogColor(bool text, const QColor& c); // else the background

    Session& session_;
    ConversionPageModel& model_;
    IDialogs& dialogs_;
    std::unique_ptr<IGridSource> rejectsSource_;
    std::unique_ptr<RunView> runView_;
    std::unique_ptr<RunThread> runThread_; // while a run goes on
    std::vector<std::vector<std::string>> inRows_; // the input preview's fields, as read
    GridCells inPreview_{1, 4};
    GridCells outPreview_{1, 4};
    bool changeEnabled_ = false; // "Changer" before the run
    std::string windowKeys_;

    QGroupBox* inputGroup;
    QLabel* sourceDirLabel;
    QPushButton* openButton;
    QLabel* fileCaption;
    QLineEdit* fileEdit;
    QLabel* inputFormatCaption;
    QComboBox* inputFormatBox;
    QLabel* inputPreviewCaption;
    GridModel* inputPreviewModel;
    QTableView* inputGrid;
    QPushButton* convertButton;
    QPushButton* cancelButton;

    QGroupBox* countersGroup;
    QLabel *filesCaption, *filesCount, *readCaption, *readCount;
    QLabel *rejectedCaption, *rejectedCount, *writtenCaption, *writtenCount;

    QGroupBox* optionsGroup;
    QLabel *logCaption, *logValue, *latestCaption, *latestValue, *badLineCaption, *badLineValue;
    QLabel *historyCaption, *historyValue, *afterRunCaption;
    QLabel *renameCaption, *renameValue, *trashCaption, *trashValue, *deleteCaption, *deleteValue;

    ResultViews* resultViews;
};

// Calls start (a click on "Convertir", say), then lets the window's events through until the run
// it started, if any, is over: for the pictures and the tests, which follow a run to its end.
void WaitForRun(QWidget& window, const std::function<void()>& start);

} // namespace lmx
