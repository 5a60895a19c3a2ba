#include "fieldbus/UDNet.h"

#include "shell/UComon.h"

TFDNet* FDNet = nullptr;

namespace {

enum { Col_ID = 1, Col_In, Col_Out };

constexpr TRuleColumn Columns[] = {
    {"ID", reText, 90, 3815, 3819},
    {"NB_IN", reText, 130, 3816, 3820},
    {"NB_OUT", reText, 130, 3817, 3821},
    {"Mnemonic", reText, 300, 3818, 3822},
};

const TRuleTable Table{nullptr, Columns, 3814, -1, Col_ID, false};
const TRuleGridLook Look{true, false, true, true, true};
const TRuleTexts Texts{3800, 3801, {3802, 3803, 3804, 3805, 3806, 3807}, {3808, 3809, 3810, 3811, 3812, 3813}, 3827, 3823};
const TRuleFile File{&DNETM_Net_File, "DNET_Net", "1.000"};

} // namespace

TFDNet::TFDNet(TComponent* AOwner) : TRuleTableForm(AOwner, QStringLiteral("FDNet"), 745, 337, Texts, File)
{
    ESG = Add_Grid(Table, Look, "ESG", 64);
}

TFDNet::~TFDNet()
{
    if (FDNet == this)
        FDNet = nullptr;
}

Integer TFDNet::Write_End(Integer Index) const
{
    return Empty_End(Index, Col_ID);
}

bool TFDNet::Controllo_dati()
{
    // Node IDs may repeat: the converter's own tools sort that out.
    const Integer end = Empty_End(0, Col_ID);
    for (Integer r = 1; r < end; ++r)
        if (!Check_Range(0, r, Col_ID, 0, 63, 3824) || !Check_Range(0, r, Col_In, 0, 65535, 3825) ||
            !Check_Range(0, r, Col_Out, 0, 65535, 3826))
            return false;
    return true;
}
