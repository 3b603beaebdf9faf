#include "platform/CupsJob.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <stdexcept>

namespace ravelt {

namespace {

// Runs lp with the arguments, feeding it 'input', and raises with lp's own words when
// the job is not accepted.
void runLp(const std::string& queue, const std::string& title, const std::vector<std::string>& options,
           const QStringList& extra, const std::string* input)
{
    const QString lp = QStandardPaths::findExecutable("lp");
    if (lp.isEmpty())
        throw std::runtime_error("impossibile inviare la stampa alla coda " + queue +
                                 ": il programma lp (pacchetto cups-client) non è installato");
    QStringList args{"-d", QString::fromStdString(queue), "-t", QString::fromStdString(title)};
    for (const auto& o : options)
        args << "-o" << QString::fromStdString(o);
    args << extra;

    QProcess p;
    p.setProgram(lp);
    p.setArguments(args);
    p.start();
    if (!p.waitForStarted(10000))
        throw std::runtime_error("impossibile avviare lp per la coda " + queue + ": " + p.errorString().toStdString());
    if (input)
        p.write(input->data(), static_cast<qint64>(input->size()));
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished(5000);
        throw std::runtime_error("la coda di stampa " + queue + " non risponde (lp non ha terminato)");
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        QString why = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        if (why.isEmpty())
            why = QString("lp è terminato con il codice %1").arg(p.exitCode());
        throw std::runtime_error("la coda di stampa " + queue + " non ha accettato la stampa: " + why.toStdString());
    }
}

}

void submitCupsBytes(const std::string& queue, const std::string& title, const std::string& bytes,
                     const std::vector<std::string>& options)
{
    runLp(queue, title, options, {"-"}, &bytes);
}

}
