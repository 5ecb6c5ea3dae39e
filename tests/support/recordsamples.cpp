#include "recordsamples.h"

namespace recordSamples {

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
