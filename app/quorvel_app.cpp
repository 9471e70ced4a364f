#include "app/quorvel_app.h"

#include "app/calibration_value.h"
#include "app/page_index.h"
#include "drive/model_classification.h"
#include "drive/model_text.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

CQuorvelApp theApp;

bool CQuorvelApp::InitInstance()
{
    if (!IdentifyDrive()) {
        MessageBox().Show(LoadString(IDS_DRIVE_UNKNOWN), MessageIcon::None, MessageButtons::Ok);
        return false;
    }

    m_pSettings = m_services.openSettings();
    if (m_bSupported) {
        const StoredCalibration stored = ReadCalibrationValue(m_pSettings->ReadCalibration());
        m_bCalibrated = stored.bCalibrated;
        if (stored.bCalibrated)
            m_nDirection = stored.nDirection;
    }

    m_pMainFrame = m_services.createMainFrame();
    return m_pMainFrame != nullptr;
}

bool CQuorvelApp::IdentifyDrive()
{
    bool bResult = true;
    std::string strModel;
    std::string strError;
    if (m_services.pDriveReader->ReadDriveModel(strModel, strError) != READ_MODEL_OK) {
        bResult = false;
        if (!strError.empty())
            MessageBox().Show(strError, MessageIcon::Error, MessageButtons::Ok);
    } else {
        m_strModel = strModel;
    }

    m_strModel = UpperCaseModel(m_strModel);
    m_bSupported = IsSupportedModel(m_strModel);
    m_nModelDirection = ModelDirection(m_strModel);
    return bResult;
}

std::string CQuorvelApp::ModelText() const
{
    return ModelTextUtf8(m_strModel);
}

void CQuorvelApp::SetCalibrated(bool bCalibrated)
{
    if (bCalibrated == m_bCalibrated)
        return;
    m_bCalibrated = bCalibrated;
    if (bCalibrated) {
        Rand15 random(static_cast<std::uint32_t>(m_services.timeSeconds()));
        m_pSettings->WriteCalibration(MakeCalibrationValue(m_nDirection, random));
    } else {
        m_pSettings->WriteCalibration("");
    }
}

void CQuorvelApp::SetDirection(int nDirection)
{
    if (nDirection == m_nDirection)
        return;
    if (m_pMainFrame->CurrentPage() != PAGE_START) {
        MessageBox().Show(LoadString(IDS_RETURN_TO_START), MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    if (m_bSupported && m_bCalibrated &&
        MessageBox().Show(LoadString(IDS_CONFIRM_RECALIBRATION), MessageIcon::Question, MessageButtons::YesNo) !=
            MessageAnswer::Yes)
        return;
    m_nDirection = nDirection;
    SetCalibrated(false);
    m_pMainFrame->InvalidateClientArea();
}
