#pragma once
// The parameters page: three categories on the left switch between the processing, environment
// and integration panels; the save button turns the controls into parameters. The rules live in
// PrmPage (env/UPrmPage.h); this class maps the controls to it and owns the handlers.
#include "env/UPrmPage.h"

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

    // The controls as plain data, and back.
    PrmPageValues Values() const;
    void SetValues(const PrmPageValues& v);

    // The page is opened (the window's page control calls it; a window coming back from being
    // minimised or hidden does not).
    void PageOpened();
    void ListBox1Click();
    void RadioButton8Click();
    void CheckBox4Click();
    void RadioButton13Click();
    void RadioButton14Click();
    void Button1Click();  // "...": the result folder
    void BitBtn18Click(); // save
    void Button5Click();  // apply the language now
    void Button2Click();  // Start menu
    void Button4Click();  // desktop
    void Button3Click();  // Open with

    // A language was applied at once: the window's captions change (OnTextsChanged), then the
    // window follows with the rest (OnLanguageApplied, its name as LNG holds it).
    std::function<void()> OnTextsChanged;
    std::function<void(const std::string& language)> OnLanguageApplied;

    QToolButton* BitBtn18;
    QListWidget* ListBox1;
    QFrame* Panel7;
    QLabel* Label53;

    QFrame* Panel8;
    QLabel* Label56;
    QGroupBox* GroupBox12;
    QRadioButton *RadioButton9, *RadioButton10;
    QGroupBox* GroupBox11;
    QRadioButton *RadioButton7, *RadioButton8;
    QLineEdit* Edit11;
    QPushButton* Button1;
    QCheckBox* CheckBox4;
    QLineEdit* Edit12;
    QWidget* Panel10;
    QRadioButton *RadioButton12, *RadioButton13;
    QLineEdit* Edit8;
    QGroupBox* GroupBox13;
    QRadioButton *RadioButton14, *RadioButton15, *RadioButton16, *RadioButton17;
    QLineEdit* Edit10;
    QLabel *Label57, *Label58;
    QComboBox *ComboBox9, *ComboBox10; // encoding, line end

    QFrame* Panel9;
    QLabel* Label55;
    QGroupBox* GroupBox16;
    QComboBox* ComboBox8;
    QPushButton* Button5;
    QGroupBox* GroupBox10;
    QRadioButton *RadioButton5, *RadioButton6;
    QGroupBox *GroupBox14, *GroupBox15;

    QFrame* Panel11;
    QLabel* Label50;
    QPushButton *Button2, *Button4, *Button3;

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
    PrmPage model_;
    QButtonGroup *erlGroup_, *dirGroup_, *extGroup_, *afterGroup_, *logGroup_;
};

} // namespace lmx
