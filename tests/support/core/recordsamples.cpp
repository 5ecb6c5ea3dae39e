#include "recordsamples.h"

namespace recordSamples {

QStringList lineEditNames()
{
    return {
        "smskp", "m_pin", "m_id", "m_nev", "visszaallas", "be1_nev", "be2_nev", "rele_time",
        "rele1_on", "rele1_off", "rele2_on", "rele2_ki", "be1_on_msg", "be1_off_msg", "be2_on_msg",
        "be2_off_msg", "h1_low", "h1_high", "h1_hist", "h2_low", "h2_high", "h2_hist", "hibajelzes",
        "tapfesz_hiba_nev", "tapfesz_hiba_v", "max_sms", "t1", "t2", "t3", "t4", "t5", "t6", "t7",
        "t8", "riaszto_stop"};
}

formValues filledForm()
{
    formValues form;
    form.texts = QStringList{
        "36309888000", "1234", "5678", "Garage", "1", "Inside", "Outside", "10",
        "R1 ON", "R1 OFF", "R2 ON", "R2 OFF", "Door open", "Door shut", "Gate open", "Gate shut",
        "5", "25", "2", "-10", "40", "3", "Fault", "Mains lost", "Mains back", "10",
        "36301234567", "36201234567", "", "36701234567", "", "", "", "",
        "STOP"};
    form.flags = QList<bool>{true, true, false, false, false, false, false, false,
                             true, false, false, true, false, false, false, false};
    return form;
}

QStringList recordFields()
{
    QStringList fields = filledForm().texts.mid(0, firstPhone);
    fields << "36301234567" << "A" << "36201234567" << "D" << "0" << "P" << "36701234567" << "S"
           << "0" << "P" << "0" << "P" << "0" << "P" << "0" << "P" << "STOP";
    return fields;
}

} // namespace recordSamples
