#pragma once
#include "platform/PrinterSystem.h"

namespace ravelt {

// The workstation's printers as Qt's printing support lists them (the print queues of
// the system's print service, named by queue name), with jobs printed through
// QtPrinterObject and text devices through the platform's openTextDevice.
class QtPrinterSystem : public PrinterSystem {
public:
    std::vector<std::string> deviceNames() const override;
    std::string defaultDeviceName() const override;
    std::unique_ptr<PrinterObject> startPrinterJob(const std::string& deviceName, const std::string& title) override;
    std::unique_ptr<PrinterObject> startPdfJob(const std::filesystem::path& path, const std::string& title) override;
    std::unique_ptr<TextDevice> openTextDevice(const std::string& device, const std::filesystem::path& folder,
                                               const std::string& title) override;
};

}
