#pragma once

#include "app/quorvel_app.h"

#include <functional>
#include <string>
#include <vector>

struct FakeDriveReader : IDriveModelReader {
    int nResult = READ_MODEL_OK;
    std::string strModel;
    std::string strError;
    int ReadDriveModel(std::string& strOutModel, std::string& strOutError) override
    {
        if (nResult == READ_MODEL_OK)
            strOutModel = strModel;
        else
            strOutError = strError;
        return nResult;
    }
};

struct FakeMessageBox : IMessageBox {
    struct Shown {
        std::string strText;
        MessageIcon icon;
        MessageButtons buttons;
    };
    std::vector<Shown> shown;
    MessageAnswer answer = MessageAnswer::Yes;
    // Runs while the box would be up.
    std::function<void()> onShow;
    MessageAnswer Show(const std::string& strText, MessageIcon icon, MessageButtons buttons) override
    {
        shown.push_back({strText, icon, buttons});
        if (onShow)
            onShow();
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : answer;
    }
};

struct FakeSettingsStore : ISettingsStore {
    std::string strValue;
    std::vector<std::string> writes;
    int nReads = 0;
    std::string ReadCalibration() override
    {
        ++nReads;
        return strValue;
    }
    void WriteCalibration(const std::string& strNewValue) override
    {
        strValue = strNewValue;
        writes.push_back(strNewValue);
    }
};

// Also a host for a page shown without a frame.
struct FakeMainFrame : IMainFrame {
    int nCurPage = 0;
    int nInvalidations = 0;
    std::vector<int> switches;
    FakeMessageBox messageBox;
    int CurrentPage() const override { return nCurPage; }
    void SwitchPage(int nPage) override { switches.push_back(nPage); }
    IMessageBox& MessageBox() override { return messageBox; }
    void InvalidateClientArea() override { ++nInvalidations; }
};

// An application object wired with fakes, as start-up leaves it.
struct FakeAppHarness {
    FakeDriveReader drive;
    FakeMessageBox messageBox;
    FakeSettingsStore settings;
    FakeMainFrame frame;
    std::int64_t nNow = 1'000'000;
    int nFramesCreated = 0;
    bool bFrameCreationFails = false;
    CQuorvelApp app;

    FakeAppHarness()
    {
        AppServices services;
        services.pDriveReader = &drive;
        services.pMessageBox = &messageBox;
        services.openSettings = [this] { return &settings; };
        services.createMainFrame = [this]() -> IMainFrame* {
            ++nFramesCreated;
            return bFrameCreationFails ? nullptr : &frame;
        };
        services.timeSeconds = [this] { return nNow; };
        app.UseServices(std::move(services));
    }
};
