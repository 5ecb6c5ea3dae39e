#include "transferthread.h"

transferThread::transferThread(const linkSettings &settings) : settings(settings)
{
}
