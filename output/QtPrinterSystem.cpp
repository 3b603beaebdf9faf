#include "output/QtPrinterSystem.h"

#include "output/QtPrinterObject.h"

#include <QPrinterInfo>
#include <QStringList>

namespace ravelt {

std::vector<std::string> QtPrinterSystem::deviceNames() const
{
    std::vector<std::string> names;
    for (const QString& n : QPrinterInfo::availablePrinterNames())
        names.push_back(n.toStdString());
    return names;
}

std::string QtPrinterSystem::defaultDeviceName() const
{
    return QPrinterInfo::defaultPrinterName().toStdString();
}

std::unique_ptr<PrinterObject> QtPrinterSystem::startPrinterJob(const std::string& deviceName, const std::string& title)
{
    return QtPrinterObject::forQueue(deviceName, title);
}

std::unique_ptr<PrinterObject> QtPrinterSystem::startPdfJob(const std::filesystem::path& path, const std::string& title)
{
    return QtPrinterObject::forPdf(path, title);
}

std::unique_ptr<TextDevice> QtPrinterSystem::openTextDevice(const std::string& device, const std::filesystem::path& folder,
                                                            const std::string& title)
{
    return ravelt::openTextDevice(device, folder, deviceNames(), title);
}

}
