#!/usr/bin/perl
# Reads the outputs bench/run left in a folder and prints one Markdown table of medians:
# figure, ours, sgt-fifteen, gnome-taquin, goal, met.
#   table.pl <log folder>
use strict;
use warnings;

my ($dir) = @ARGV;

sub slurp {
    my ($name) = @_;
    open(my $fh, '<', "$dir/$name") or return '';
    local $/;
    return <$fh>;
}

sub median {
    my @s = sort { $a <=> $b } @_;
    return @s ? $s[int(@s / 2)] : undef;
}

sub all_of {  # every capture of the pattern's first group in a file
    my ($name, $re) = @_;
    my $text = slurp($name);
    my @v = $text =~ /$re/g;
    return @v;
}

my $env = slurp('env.txt');
my $audio = $env =~ /audio device: yes/;
my ($runs) = $env =~ /runs: (\d+)/;

# Start-up and memory: the medians measure.pl prints.
my (%start, %rss);
my $startup = slurp('startup.txt');
if ($startup =~ /medians of \d+ runs:\n(.*)/s) {
    for (split /\n/, $1) {
        $start{$1} = $2, $rss{$1} = $3 if /^\s+(\S+)\s+start\s+([\d.]+) ms\s+rss\s+([\d.]+) MB/;
    }
}
# Idle and clicks: the medians idle_click.pl prints.
my (%idle_first, %idle_play, %click);
my $peers = slurp('idle_click.txt');
if ($peers =~ /medians of \d+ runs:\n(.*)/s) {
    for (split /\n/, $1) {
        next unless /^\s+(\S+)\s+idle-first ([\d.]+) %/;
        my $label = $1;
        $idle_first{$label} = $2;
        $click{$label} = $1 if /click ([\d.]+) ms/;
        $idle_play{$label} = $1 if /idle-play ([\d.]+) %/;
    }
}
my $play_normal = median(all_of('game_play.txt', qr/Normal median ([\d.]+) ms/));
my $play_hard = median(all_of('game_play.txt', qr/Hard median ([\d.]+) ms/));
my $game_idle = median(all_of('game_idle.txt', qr/= ([\d.]+) % of a core/));
my $game_click = median(all_of('game_click.txt', qr/([\d.]+) ms CPU per click/));
my $steps = median(all_of('game_shuffle.txt', qr/shuffle: ([\d.]+) steps/));
my $region = median(all_of('region.txt', qr/median ([\d.]+) ms/));
my $region_help = median(all_of('region_help.txt', qr/median ([\d.]+) ms/));
my $music = slurp('music.txt');
my %music;
for my $tune ('ZnGame', 'ZnIntro') {
    if ($music =~ /^$tune, real time.*?cpu\s+([\d.]+) %.*?rss \+\s*([\d.]+) MB/m) {
        $music{$tune} = [$1, $2];
    }
}

sub fmt {
    my ($v, $unit, $digits) = @_;
    return defined $v ? sprintf("%.${digits}f %s", $v, $unit) : 'not measured';
}

sub met {
    my ($ok) = @_;
    return defined $ok ? ($ok ? 'yes' : '**no**') : '?';
}

my $na = 'n/a';
my @rows;
my $ours = 'zantho-puzzle';
my $musical = 'zantho-puzzle+music';
{
    my ($o, $s) = ($start{$ours}, $start{'sgt-fifteen'});
    my $ratio = defined $o && defined $s && $s > 0 ? $o / $s : undef;
    push @rows, ['exec → first window shown', fmt($o, 'ms', 1) .
                     (defined $ratio ? sprintf(' (%.2f x sgt-fifteen)', $ratio) : ''),
                 fmt($s, 'ms', 1), fmt($start{'gnome-taquin'}, 'ms', 1),
                 '≤ 0.8 x sgt-fifteen', met(defined $ratio ? $ratio <= 0.8 : undef)];
}
{
    my $limit = $audio ? 45 : 35;
    push @rows, ['RSS 3 s after exec' . ($audio ? '' : ', no audio device'),
                 fmt($rss{$ours}, 'MB', 1), fmt($rss{'sgt-fifteen'}, 'MB', 1),
                 fmt($rss{'gnome-taquin'}, 'MB', 1), "≤ $limit MB",
                 met(defined $rss{$ours} ? $rss{$ours} <= $limit : undef)];
    push @rows, ['RSS 3 s after exec, music playing (null sink)', fmt($rss{$musical}, 'MB', 1),
                 $na, $na, '≤ 45 MB',
                 met(defined $rss{$musical} ? $rss{$musical} <= 45 : undef)]
        if defined $rss{$musical};
}
push @rows, ['idle CPU, first window (ours: menu; theirs: a new game)',
             fmt($idle_first{$ours}, '%', 3), fmt($idle_first{'sgt-fifteen'}, '%', 3),
             fmt($idle_first{'gnome-taquin'}, '%', 3), '–', ''];
push @rows, ['idle CPU, menu with music playing (null sink)', fmt($idle_first{$musical}, '%', 3),
             $na, $na, '≤ 2 % (music player)',
             met(defined $idle_first{$musical} ? $idle_first{$musical} <= 2 : undef)]
    if defined $idle_first{$musical};
push @rows, ['idle CPU in play (ours: after "Done", music off; theirs: after the clicks)',
             fmt($game_idle, '%', 3), fmt($idle_play{'sgt-fifteen'}, '%', 3),
             fmt($idle_play{'gnome-taquin'}, '%', 3), '≤ 0.05 %',
             met(defined $game_idle ? $game_idle <= 0.05 : undef)];
push @rows, ['CPU per click (ours: in-process; theirs: xdotool, slide animation included)',
             fmt($game_click, 'ms', 3), fmt($click{'sgt-fifteen'}, 'ms', 3),
             fmt($click{'gnome-taquin'}, 'ms', 3), '≤ 1 ms',
             met(defined $game_click ? $game_click <= 1 : undef)];
push @rows, ['"Play" → board shown, Normal / Hard',
             defined $play_normal ? sprintf('%.1f / %.1f ms', $play_normal, $play_hard)
                                  : 'not measured',
             $na, $na, '≤ 50 ms',
             met(defined $play_normal ? $play_normal <= 50 && $play_hard <= 50 : undef)];
push @rows, ['shuffle steps per second (Hard)', fmt($steps, 'steps/s', 1), $na, $na,
             '≥ 60 steps/s', met(defined $steps ? $steps >= 60 : undef)];
push @rows, ['window shape from a 536 x 349 skin (jagged / help skin)',
             defined $region ? sprintf('%.3f / %.3f ms', $region, $region_help) : 'not measured',
             $na, $na, '≤ 1 ms', met(defined $region ? $region <= 1 && $region_help <= 1 : undef)];
for my $tune ('ZnGame', 'ZnIntro') {
    my $m = $music{$tune};
    push @rows, ["music player CPU / memory added, $tune (null sink)",
                 $m ? sprintf('%.2f %% / +%.1f MB', @$m) : 'not measured', $na, $na,
                 '≤ 2 % / ≤ 30 MB', met($m ? $m->[0] <= 2 && $m->[1] <= 30 : undef)];
}

print "| Figure (medians of $runs runs) | Zantho Puzzle +1 | sgt-fifteen | gnome-taquin | Goal | Met |\n";
print "|---|---|---|---|---|---|\n";
print '| ', join(' | ', @$_), " |\n" for @rows;
