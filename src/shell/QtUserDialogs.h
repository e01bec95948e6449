#pragma once

#include "widgets/UserDialogs.h"

namespace tessaly {

// The questions asked with Qt's own dialogs.
class QtUserDialogs : public UserDialogs {
  public:
    void ShowMessage(QWidget* parent, const QString& title, const QString& text,
                     Icon icon) override;
    Answer Ask(QWidget* parent, const QString& title, const QString& text,
               bool withCancel) override;
    std::optional<std::int32_t> ChooseColor(QWidget* parent, std::int32_t current) override;
    std::optional<QString> ChooseOpenFile(QWidget* parent, const QString& last) override;
    std::optional<QString> ChooseSaveFile(QWidget* parent, const QString& last) override;
    std::optional<QString> ChooseExportFile(QWidget* parent, const QString& title,
                                            const QString& suggested,
                                            const QStringList& filters) override;
    bool SetUpPrinter(QWidget* parent, QPrinter& printer) override;
    void ShowPrintPreview(QWidget* parent, QPrinter& printer,
                          const std::function<void(QPrinter&)>& paint) override;
    std::optional<int> AskNumber(QWidget* parent, const QString& title, const QString& label,
                                 int value, int min, int max) override;
    std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& label,
                                   const QString& text) override;
    int Choose(QWidget* parent, const QString& title, const QString& text,
               const QStringList& buttons) override;
    bool OpenDocument(const QString& path) override;
};

}  // namespace tessaly
