#pragma once

// The agent, asked over the session bus while the main program writes to Google or to the
// address book: a listening agent would take those writes for the user's and push them again.
// Nothing is sent unless the agent is installed and owns its bus name.
namespace agentclient {

bool isAgentListening();
void silenceAgentNotifications();
void turnOnAgentNotifications();

} // namespace agentclient
