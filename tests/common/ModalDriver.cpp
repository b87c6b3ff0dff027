#include "ModalDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>

ModalDriver::ModalDriver()
{
    m_timer.setInterval(10);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::onNextModal(std::function<void(QWidget*)> fnHandler)
{
    m_queue.enqueue(std::move(fnHandler));
    m_timer.start();
}

void ModalDriver::answer(QMessageBox::StandardButton button)
{
    onNextModal([button](QWidget* pWidget) {
        auto* pBox = qobject_cast<QMessageBox*>(pWidget);
        if (pBox && pBox->button(button))
            pBox->button(button)->click();
        else if (auto* pDialog = qobject_cast<QDialog*>(pWidget))
            pDialog->reject();
    });
}

void ModalDriver::chooseFile(const QString& strPath)
{
    onNextModal([strPath](QWidget* pWidget) {
        auto* pDialog = qobject_cast<QFileDialog*>(pWidget);
        if (!pDialog) {
            if (auto* pOther = qobject_cast<QDialog*>(pWidget))
                pOther->reject();
            return;
        }
        pDialog->selectFile(strPath);
        if (auto* pEdit = pDialog->findChild<QLineEdit*>("fileNameEdit"))
            pEdit->setText(strPath);
        static_cast<QDialog*>(pDialog)->accept();
    });
}

void ModalDriver::cancel()
{
    onNextModal([](QWidget* pWidget) {
        if (auto* pDialog = qobject_cast<QDialog*>(pWidget))
            pDialog->reject();
        else
            pWidget->close();
    });
}

void ModalDriver::poll()
{
    QWidget* pModal = QApplication::activeModalWidget();
    if (!pModal || pModal == m_pLastHandled || m_queue.isEmpty())
        return;
    m_pLastHandled = pModal;
    Seen seen;
    seen.strTitle = pModal->windowTitle();
    if (auto* pBox = qobject_cast<QMessageBox*>(pModal))
        seen.strText = pBox->text();
    m_lstSeen.append(seen);
    auto fnHandler = m_queue.dequeue();
    if (m_queue.isEmpty())
        m_timer.stop();
    fnHandler(pModal);
}
