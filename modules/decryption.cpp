#include "modules/decryption.h"

#include "audio/audio_cues.h"
#include "engine/random.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "modules/module_tables.h"
#include "modules/shuffle_generator.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <algorithm>
#include <sstream>

namespace {

constexpr int32_t ButtonOrder = 4;
constexpr PXL_Vec2 ButtonSize{75.0f, 75.0f};
constexpr float ButtonSpacing = 125.0f;
constexpr PXL_Vec2 MessageGlyph{decryption_table::MessageGlyphSize, decryption_table::MessageGlyphSize};
constexpr PXL_Vec2 SymbolGlyph{75.0f, 75.0f};
const PXL_Color ScreenBlack{0, 0, 0, 1};
const PXL_Color TextGreen{0, 1, 0, 1};

} // namespace

std::vector<std::string> MessageWords(const std::string& message)
{
    std::vector<std::string> words;
    std::istringstream stream(message);
    std::string word;
    while (stream >> word) {
        words.push_back(word);
    }
    return words;
}

std::string FirstCodeWordKey(const std::string& message, const std::map<std::string, std::string>& codeBook)
{
    for (const std::string& word : MessageWords(message)) {
        for (const auto& [key, codeWord] : codeBook) {
            if (codeWord == word) {
                return key;
            }
        }
    }
    return "";
}

Decryption::Decryption(std::string moduleName, PXL_Vec2 modulePosition) : Module(std::move(moduleName), modulePosition)
{
}

void Decryption::Init()
{
    Module::Init();
    codeBook.clear();
    for (const decryption_table::CodeWord& entry : decryption_table::CodeBook) {
        codeBook[std::string(1, entry.key)] = std::string(entry.word);
    }
    FillMessagePool();

    const float buttonY = -(screenSize.y / 2.0f) - ButtonSize.y / 2.0f - 25.0f;
    for (size_t i = 0; i < choiceButtons.size(); ++i) {
        const PXL_Vec2 at{(static_cast<float>(i) - 1.0f) * ButtonSpacing, buttonY};
        auto* button = new Interactable(at, ButtonSize, KindMomentary, ButtonOrder, 0.0f, false);
        button->cue = CueButton;
        choiceButtons[i] = button;
        interactables.push_back(button);
    }
    statusLight =
        new StatusLight({position.x + screenSize.x / 2.0f - 50.0f, position.y - (screenSize.y / 2.0f + 75.0f)});
    OffsetInteractables();
}

void Decryption::FillMessagePool()
{
    messagePool.assign(decryption_table::Messages.begin(), decryption_table::Messages.end());
}

void Decryption::NewPuzzle()
{
    message.clear();
    answer.clear();
    if (messagePool.empty()) {
        FillMessagePool();
    }
    const size_t pick = messagePool.size() == 1 ? 0 : static_cast<size_t>(GameRand()) % messagePool.size();
    message = messagePool[pick];
    messagePool.erase(messagePool.begin() + static_cast<std::ptrdiff_t>(pick));
    answer = FirstCodeWordKey(message, codeBook);

    // The decoys: the first keys of a shuffled code book that are not the answer.
    choices.assign(1, answer);
    std::vector<std::string> keys;
    for (const auto& entry : codeBook) {
        keys.push_back(entry.first);
    }
    Shuffle(keys, ShuffleGenerator());
    for (const std::string& key : keys) {
        if (choices.size() == static_cast<size_t>(decryption_table::ChoiceCount)) {
            break;
        }
        if (key != answer) {
            choices.push_back(key);
        }
    }
    Shuffle(choices, ShuffleGenerator());
}

void Decryption::TimedUpdate(float)
{
    Module::Update();
    if (!active) {
        return;
    }
    if (message.empty()) {
        NewPuzzle();
    }
    for (size_t i = 0; i < choiceButtons.size() && i < choices.size(); ++i) {
        if (!choiceButtons[i]->clicked) {
            continue;
        }
        if (choices[i] == answer) {
            OnCorrect();
        } else {
            OnIncorrect();
        }
        // One press per frame: the choices behind the other buttons may have just changed.
        break;
    }
}

void Decryption::Render()
{
    DrawNineSlice({position.x, position.y - 50.0f}, {screenSize.x + 100.0f, screenSize.y + 200.0f}, PanelModuleBase,
                  0.0f, false);
    DrawTint = ScreenBlack;
    DrawAlpha = 1.0f;
    DrawTexture(nullptr, &position, &screenSize, 1, 0.0f);
    if (statusLight != nullptr) {
        statusLight->Render();
    }
    if (active) {
        DrawTint = TextGreen;
        DrawText(FontIBM3270, message,
                 {position.x - screenSize.x / 2.0f + decryption_table::MessageInsetX,
                  position.y + screenSize.y / 2.0f - decryption_table::MessageInsetTop},
                 MessageGlyph, false, true);
        std::string symbols;
        for (const std::string& key : choices) {
            symbols += symbols.empty() ? key : " " + key;
        }
        DrawText(FontSymbols, symbols, {position.x, position.y - screenSize.y / 3.0f}, SymbolGlyph, true, true);
    }
    for (Interactable* button : choiceButtons) {
        DrawPushButton(button);
    }
    DrawNineSlice(position, screenSize, PanelScreen1, 5.0f, false);
}

void Decryption::Exit()
{
    messagePool.clear();
    codeBook.clear();
    RemoveInteractables();
    choiceButtons.fill(nullptr);
    delete statusLight;
    statusLight = nullptr;
}

void Decryption::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line", "/> Secret passphrases urgently need decrypting!");
}

void Decryption::OnCorrect()
{
    Module::OnCorrect();
    statusLight->onColour = LampGreen;
    statusLight->lit = true;
    Broadcast("terminal_append_line", "Messages successfully decrypted");
}

void Decryption::OnIncorrect()
{
    Module::OnIncorrect();
    NewPuzzle();
    statusLight->onColour = LampRed;
    statusLight->lit = true;
}
