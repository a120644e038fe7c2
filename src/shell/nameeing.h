#pragma once
// The user-name dialog: the name marks the diary files and the headings. Confirming it starts
// a new month table; cancelling it ends the program as closing the main window would.

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace luftikon {

class Settings;
class Desktop;
struct AppState;

// The characters a name may not hold: they cannot stand in a file name (and "/" would
// leave the year folder).
bool isForbiddenNameCharacter(QChar c);

// `path` with every component that does not exist as written replaced by the one entry of
// its folder that matches it without regard to case; empty when there is none.
QString existingPathIgnoringCase(const QString& path);

// What the name dialog asks of the main window once a name is confirmed.
struct NameDialogHost {
    std::function<void(const QString& userName)> showUserName; // the window headings name the user
    std::function<void(const QString& diaryFile)> drawDiary;   // the user's last diary onto the chart
    std::function<void()> Neu1Click;                           // a new month table for the user
};

class TNameEingDlg : public QDialog {
    Q_OBJECT
public:
    // Reads "BenutzerName" into the user name and the field.
    TNameEingDlg(AppState& state, Desktop& desktop, Settings& settings, QWidget* parent = nullptr);

    void setHost(NameDialogHost host) { host_ = std::move(host); }
    // The main window's closing step, run when cancelling ends the program.
    void setClosingStep(std::function<void()> step) { closingStep_ = std::move(step); }

    void EditChange();
    void OKButtonClick();
    void AbbrechenButtonClick();

    QGroupBox* Bevel1 = nullptr; // frame around the texts and the field
    QLabel* Label1 = nullptr;    // asks for first and last name
    QLineEdit* Edit1 = nullptr;  // the user name
    QLabel* Label2 = nullptr;    // says what the name is used for
    QPushButton* OKButton = nullptr;
    QPushButton* AbbrechenButton = nullptr;

    void reject() override; // Escape and the frame's close button: the cancel button

protected:
    void showEvent(QShowEvent* event) override;

private:
    AppState& state_;
    Desktop& desktop_;
    Settings& settings_;
    NameDialogHost host_;
    std::function<void()> closingStep_;
    bool checking_ = false;
};

} // namespace luftikon
