#pragma once
// The system's announcement that it is about to sleep (logind's
// PrepareForSleep on the system bus) becomes MSG_POWERBROADCAST with
// PBT_SUSPEND for every window of ours, so a show ends before the machine
// sleeps. Without a system bus nothing is heard. Internal to the back end.

// Called once when the video system starts: subscribes to the signal.
void WatchForSuspend();
// Called by the message queue's pump: delivers what the bus has said.
void DeliverSuspendNews();
