#pragma once
// The parameters page: three categories on the left switch between the processing, environment
// and integration panels; the save button turns the controls into parameters. The rules live in
// ParametersPageModel (env/UPrmPage.h); this class maps the controls to it and owns the handlers.
#include "model/ParametersPageModel.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace lmx {

class IDialogs;
class LangTexts;
class Params;

class ParametersPage : public QWidget {
    Q_OBJECT
public:
    // lngFileName is read when a language is applied (the start-up sets it later).
    ParametersPage(Params& params, LangTexts& lang, IDialogs& dialogs, const std::string& lngFileName,
                QWidget* parent = nullptr);

    // Start-up: the processing panel shown, the categories and the languages listed, the controls
    // set from the parameters.
    void StartUp(const std::vector<std::string>& langNames);
    // Selects a category and shows its panel, as a click on it does.
    void ShowCategory(int row);

    // The captions in the language in use.
    void Retranslate();
    // The keys of the window's own buttons and pages, which the page's captions leave alone.
    void SetWindowKeys(const std::string& keys) { windowKeys_ = keys; }

    // The controls as plain data, and back.
    ParametersPageValues Values() const;
    void SetValues(const ParametersPageValues& v);

    // The page is opened (the window's page control calls it; a window coming back from being
    // minimised or hidden does not).
    void PageOpened();
    void onCategoryClicked();
    void onDirChoiceChanged();
    void onAddTextToggled();
    void onExtChoiceChanged();
    void onAfterRunChanged();
    void onDirButtonClicked();  // "...": the result folder
    void onSaveClicked(); // save
    void onApplyLanguageClicked();  // apply the language now
    void onStartMenuClicked();  // Start menu
    void onDesktopClicked();  // desktop
    void onOpenWithClicked();  // Open with

    // A language was applied at once: the window's captions change (OnTextsChanged), then the
    // window follows with the rest (OnLanguageApplied, its name as LNG holds it).
    std::function<void()> OnTextsChanged;
    std::function<void(const std::string& language)> OnLanguageApplied;

    QToolButton* saveButton;
    QListWidget* categoryList;
    QFrame* resultPanel;
    QLabel* resultLabel;

    QFrame* processingPanel;
    QLabel* processingTitle;
    QGroupBox* badLineGroup;
    QRadioButton *rejectLineRadio, *stopRunRadio;
    QGroupBox* resultFileGroup;
    QRadioButton *sameDirRadio, *otherDirRadio;
    QLineEdit* dirEdit;
    QPushButton* dirButton;
    QCheckBox* addTextBox;
    QLineEdit* addTextEdit;
    QWidget* extensionPanel;
    QRadioButton *sourceExtRadio, *newExtRadio;
    QLineEdit* extEdit;
    QGroupBox* afterRunGroup;
    QRadioButton *renameRadio, *trashRadio, *deleteRadio, *keepRadio;
    QLineEdit* renameEdit;
    QLabel *encodingCaption, *lineEndCaption;
    QComboBox *encodingBox, *lineEndBox; // encoding, line end

    QFrame* environmentPanel;
    QLabel* environmentTitle;
    QGroupBox* languageGroup;
    QComboBox* languageBox;
    QPushButton* applyLanguageButton;
    QGroupBox* logKindGroup;
    QRadioButton *simpleLogRadio, *extendedLogRadio;
    QGroupBox *datesGroup, *historyGroup;

    QFrame* integrationPanel;
    QLabel* integrationTitle;
    QPushButton *startMenuButton, *desktopButton, *openWithButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildProcessing();
    void BuildEnvironment();
    void BuildIntegration();
    void ShowPanel(PrmPanel panel);
    void Shortcut(int place);

    Params& prm_;
    LangTexts& lang_;
    IDialogs& dialogs_;
    ParametersPageModel model_;
    std::string windowKeys_;
    QButtonGroup *erlGroup_, *dirGroup_, *extGroup_, *afterGroup_, *logGroup_;
};

} // namespace lmx
