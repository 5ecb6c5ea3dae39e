#include "model1names.h"

namespace model1Names {

QStringList lineEdits()
{
    return {"smskp", "m_pin", "m_id", "m_nev", "visszaallas", "be1_nev", "be2_nev", "rele_time",
            "rele1_on", "rele1_off", "rele2_on", "rele2_ki", "be1_on_msg", "be1_off_msg", "be2_on_msg",
            "be2_off_msg", "h1_low", "h1_high", "h1_hist", "h2_high", "rb", "h2_hist", "hibajelzes",
            "tapfesz_hiba_nev", "tapfesz_hiba_v", "max_sms", "t1", "t2", "t3", "t4", "t5", "t6", "t7",
            "t8", "riaszto_stop"};
}

} // namespace model1Names
