# Writes an animation database shaped as RPG Maker XP, VX or VX Ace writes it, for the game tests:
#   ruby make_marshal.rb xp|vx|vxace OUT
# The tests read the files this wrote in this folder (the same bytes at every run):
#   for p in xp:rxdata vx:rvdata vxace:rvdata2; do ruby make_marshal.rb ${p%:*} Animations.${p#*:}; done
# Element 0 is nil; 1 holds an unknown instance variable and shares its sound effect object with
# animation 5 (an object link across animations); 2 has a Japanese name and three frames; 3 is
# empty; 4 is nil; 5 shares a picture name string with animation 1. XP and VX strings are plain
# bytes (Ruby 1.8 wrote no encodings); VX Ace strings are UTF-8 with their encoding.
require_relative 'rpg_classes'

product, out = ARGV
xp = product == 'xp'
encoded = product == 'vxace'
text = ->(s) { encoded ? s.dup.force_encoding('UTF-8') : s.dup.b }

def frame(cells)
  f = RPG::Animation::Frame.new
  f.instance_variable_set(:@cell_max, cells.size)
  values = (0...8).flat_map { |y| cells.map { |c| c[y] } }
  f.instance_variable_set(:@cell_data, Table.build(cells.size, 8, values))
  f
end

timing_class = RPG::Animation::Timing
sound_class = xp ? RPG::AudioFile : RPG::SE
make_timing = lambda do |frame_no, se, scope, color, duration|
  t = timing_class.new
  t.instance_variable_set(:@frame, frame_no)
  t.instance_variable_set(:@se, se)
  t.instance_variable_set(:@flash_scope, scope)
  t.instance_variable_set(:@flash_color, color)
  t.instance_variable_set(:@flash_duration, duration)
  t.instance_variable_set(:@condition, 0) if xp
  t
end

make_animation = lambda do |id, name, pic1, pic2, frames, timings|
  a = RPG::Animation.new
  a.instance_variable_set(:@id, id)
  a.instance_variable_set(:@name, name)
  if xp
    a.instance_variable_set(:@animation_name, pic1)
    a.instance_variable_set(:@animation_hue, 0)
  else
    a.instance_variable_set(:@animation1_name, pic1)
    a.instance_variable_set(:@animation1_hue, 0)
    a.instance_variable_set(:@animation2_name, pic2)
    a.instance_variable_set(:@animation2_hue, 20)
  end
  a.instance_variable_set(:@position, 1)
  a.instance_variable_set(:@frame_max, frames.size)
  a.instance_variable_set(:@frames, frames)
  a.instance_variable_set(:@timings, timings)
  a
end

shared_se = sound_class.new(text.('Thunder1'), 80, 100)
shared_picture = text.('Thunder1')
# cells: pattern, x, y, zoom, angle, mirror, opacity, blend
a1 = make_animation.(1, text.('Hit'), shared_picture, text.(''),
                     [frame([[0, 0, 0, 100, 0, 0, 255, 1]]), frame([[1, 10, -5, 120, 45, 1, 200, 0]])],
                     [make_timing.(0, shared_se, 1, Color.build(255, 255, 200, 160), 5)])
a1.instance_variable_set(:@note, text.('kept by every write'))
a2 = make_animation.(2, text.('炎の剣'), text.('Fire1'), text.('Fire2'),
                     [frame([[0, -20, 0, 100, 0, 0, 255, 0], [101, 20, 0, 80, 90, 0, 128, 1]]),
                      frame([[2, 0, 10, 150, 0, 1, 255, 0], [-1, 0, 0, 0, 0, 0, 0, 0]]),
                      frame([[3, 0, 20, 100, 0, 0, 60, 2]])],
                     [make_timing.(1, sound_class.new(text.('Fire2'), 90, 110), 2, Color.build(255, 128, 0, 200), 4),
                      make_timing.(2, sound_class.new(text.(''), 100, 100), 1, Color.build(255, 255, 255, 255), 2)])
a3 = make_animation.(3, text.(''), text.(''), text.(''), [], [])
a5 = make_animation.(5, text.('Thunder'), shared_picture, text.(''),
                     [frame([[4, 0, 0, 100, 0, 0, 255, 0]])],
                     [make_timing.(0, shared_se, 0, Color.build(0, 0, 0, 0), 0)])
File.binwrite(out, Marshal.dump([nil, a1, a2, a3, nil, a5]))
