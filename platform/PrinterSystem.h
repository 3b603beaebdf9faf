#pragma once
#include "platform/PrinterObject.h"
#include "platform/TextDevice.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ravelt {

// The printers of the workstation as the print engines need them: the device names of
// the installed printers (the system's print queues, in the system's order), the
// default one, a printer object for a job on one of them or on a PDF file, and the text
// devices. The platform's implementation works over the system's print service; tests
// use MemoryPrinterSystem.
class PrinterSystem {
public:
    virtual ~PrinterSystem() = default;

    virtual std::vector<std::string> deviceNames() const = 0;
    // The system's default printer; empty when there is none.
    virtual std::string defaultDeviceName() const = 0;

    // A job on an installed printer (by device name) ...
    virtual std::unique_ptr<PrinterObject> startPrinterJob(const std::string& deviceName, const std::string& title) = 0;
    // ... or a PDF file written at 'path' (replaced only when the document is complete).
    virtual std::unique_ptr<PrinterObject> startPdfJob(const std::filesystem::path& path, const std::string& title) = 0;

    // The text device a destination names: an installed printer's name receives a raw
    // job, anything else is a file or device node relative to 'folder'.
    virtual std::unique_ptr<TextDevice> openTextDevice(const std::string& device, const std::filesystem::path& folder,
                                                       const std::string& title) = 0;
};

}
