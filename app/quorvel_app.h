#pragma once

#include "app/message_box.h"
#include "app/page/page_host.h"
#include "app/settings_store.h"
#include "drive/drive_model_reader.h"

#include <cstdint>
#include <functional>
#include <string>

// What the application object needs of the main frame, which also hosts the pages.
class IMainFrame : public IPageHost {
public:
    virtual int CurrentPage() const = 0;
    // Repaints the whole client area, so the start page shows a changed state.
    virtual void InvalidateClientArea() = 0;
};

// The platform services the application object is wired with.
struct AppServices {
    IDriveModelReader* pDriveReader = nullptr;
    IMessageBox* pMessageBox = nullptr;
    // Opens the settings store; called once start-up has read the drive.
    std::function<ISettingsStore*()> openSettings;
    // Creates, sizes and shows the main frame; nullptr when it cannot be created.
    std::function<IMainFrame*()> createMainFrame;
    std::function<std::int64_t()> timeSeconds;
};

class CQuorvelApp {
public:
    void UseServices(AppServices services) { m_services = std::move(services); }

    bool InitInstance();
    bool IdentifyDrive();
    void SetCalibrated(bool bCalibrated);
    void SetDirection(int nDirection);

    IMessageBox& MessageBox() const { return *m_services.pMessageBox; }
    // The drive model as every page and the report name it (UTF-8).
    std::string ModelText() const;
    IMainFrame* MainFrame() const { return m_pMainFrame; }

    std::string m_strModel;
    bool m_bSupported = false;
    bool m_bCalibrated = false;
    int m_nDirection = +1;
    int m_nModelDirection = +1;

private:
    AppServices m_services;
    ISettingsStore* m_pSettings = nullptr;
    IMainFrame* m_pMainFrame = nullptr;
};

extern CQuorvelApp theApp;
