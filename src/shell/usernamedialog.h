#pragma once
// The user-name dialog: the name marks the diary files and the headings. Confirming it starts
// a new month table; cancelling it ends the program as closing the main window would.

#include <QDialog>

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

class UserNameDialog : public QDialog {
    Q_OBJECT
public:
    // Reads "BenutzerName" into the user name and the field.
    UserNameDialog(AppState& state, Desktop& desktop, Settings& settings, QWidget* parent = nullptr);

    void nameEdited();
    void okClicked();
    void cancelClicked();

    void reject() override; // Escape and the frame_'s close button: the cancel button

signals:
    // The name is stored; `lastDiary` is the user's last diary when it is this user's and
    // exists, otherwise empty.
    void nameConfirmed(const QString& lastDiary);
    // Cancelling ends the program: whoever keeps something for the next start does it now.
    void quitting();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* frame_ = nullptr;     // frame_ around the texts and the field
    QLabel* askLabel_ = nullptr;     // asks for first and last name
    QLineEdit* nameEdit_ = nullptr;  // the user name
    QLabel* purposeLabel_ = nullptr; // says what the name is used for
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;

    AppState& state_;
    Desktop& desktop_;
    Settings& settings_;
    bool checking_ = false;
};

} // namespace luftikon
