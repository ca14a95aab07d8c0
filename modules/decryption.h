// The decryption screen: a message in green letters and three symbols over three buttons. The manual's code
// book pairs symbols with words; the right button is the one under the symbol of the first code-book word of
// the message. A wrong press brings a new message and new symbols.
#pragma once

#include "modules/module.h"

#include <array>
#include <map>
#include <string>
#include <vector>

class Interactable;
struct StatusLight;

class Decryption : public Module {
public:
    Decryption(std::string name, PXL_Vec2 position);

    void Init() override;
    void Render() override;
    void Exit() override;
    void OnTrigger() override;
    void OnCorrect() override;
    // A new puzzle and a red lamp; the task stays open.
    void OnIncorrect() override;
    virtual void TimedUpdate(float dt);

    // Draws the next message from the pool (refilled once all eleven are used) and three symbols for it.
    void NewPuzzle();

    std::map<std::string, std::string> codeBook; // symbol key (one letter) to word
    std::vector<std::string> messagePool;        // messages not yet shown, in pool order
    std::string message;
    std::string answer;               // key of the right symbol
    std::vector<std::string> choices; // the three keys shown, left to right
    std::array<Interactable*, 3> choiceButtons{};
    PXL_Vec2 screenSize{600.0f, 300.0f};
    StatusLight* statusLight = nullptr;

private:
    void FillMessagePool();
};

// The words of a message as a player reads them: split at blanks and line feeds, punctuation kept.
std::vector<std::string> MessageWords(const std::string& message);

// The key whose word comes first in the message, or empty text when no code-book word occurs in it.
std::string FirstCodeWordKey(const std::string& message, const std::map<std::string, std::string>& codeBook);
