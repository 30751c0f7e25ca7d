#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QCloseEvent;
class QLabel;
class QVBoxLayout;

// The about box: program, version and build, the protocol components, the maker, the
// translator and the toolkit the program runs on.
class AboutInfo : public QWidget {
    Q_OBJECT

public:
    // Each non-empty text gets a centred line of its own below the main text.
    AboutInfo(const QString &sIconPath, const QString &sText1, const QString &sText2,
              const QString &sText3, const QString &sText4, QWidget *parent = nullptr);

    // The versions of the RDM, Art-Net and streaming ACN components, in that order.
    static QStringList componentVersionTexts();

signals:
    void signalCloseAboutDlg();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString mainText() const;
    QString toolkitText() const;
    void addTextLabel(const QString &text);

    QLabel *m_pLabelMain = nullptr;
    QVBoxLayout *m_pLayout = nullptr;
};
