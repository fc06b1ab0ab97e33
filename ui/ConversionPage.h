#pragma once
// The conversion page's controls: input group, run buttons, counters, options in force and the
// lower result pages. The behaviour lives in the window (UMain) and the core.
#include "ui/URunView.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace lmx {

class GridCells;
class IDialogs;
class IGridSource;
class Log;
class UGridModel;
class UResultViews;

class ConversionPage : public QWidget, public IRunPage {
    Q_OBJECT
public:
    ConversionPage(GridCells& inPreview, GridCells& outPreview, const IGridSource& rejects, Log& log,
                 IDialogs& dialogs, QWidget* parent = nullptr);

    // What a run shows on the page.
    void SetCounters(const QString& files, const QString& read, const QString& rejected,
                     const QString& written) override;
    void SetRejectedColor(bool red) override;
    void ShowRejectedCount(const QString& count) override;
    void RefreshRejects() override;
    void ShowRunPage(RunPage page) override;
    // "Convertir", "Ouvrir", "Changer" and the two format lists, off while a run goes on.
    void SetConvertEnabled(bool enabled) override;

    QGroupBox* GroupBox1;
    QWidget* Panel1;
    QLabel* Label15;
    QPushButton* BitBtn3;
    QLabel* Label1;
    QLineEdit* Edit1;
    QLabel* Label2;
    QComboBox* ComboBox1;
    QLabel* Label3;
    QTableView* StringGrid1;
    UGridModel* StringGrid1Model;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    QGroupBox* GroupBox6;
    QLabel *Label34, *Label35, *Label24, *Label36, *Label25, *Label37, *Label26, *Label38;

    QGroupBox* GroupBox4;
    QLabel *Label17, *Label40, *Label18, *Label41, *Label19, *Label42, *Label20, *Label43;
    QLabel *Label39, *Label23, *Label44, *Label21, *Label45, *Label22, *Label46;

    UResultViews* PageControl2;

private:
    bool changerEnabled_ = false; // "Changer" before the run
};

} // namespace lmx
